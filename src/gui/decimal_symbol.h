// The decimal symbol of the user's locale, as one byte for the value texts.
#pragma once

namespace vendral {

// '.' when the locale's symbol is not a single ASCII character.
char SystemDecimalSymbol();

}  // namespace vendral
