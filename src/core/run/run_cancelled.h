// How a run ends when the user stops it. It is no failure and derives from
// no exception class, so that nothing that handles failures takes it for
// one: the run ends quietly, without a box.
#pragma once

namespace vendral {

class RunCancelled {};

}  // namespace vendral
