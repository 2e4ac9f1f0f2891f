// The program's I/O error codes: the numbers that an IoError carries and
// that the platform's file operations return. The system's refusals are
// numbered as Windows numbers its errors, so the Windows layer passes most
// of them on as they are; other systems map their own numbers onto them.
#pragma once

namespace vendral::platform {

enum IoErrorCode : int {
  // Refusals by the system.
  kFileNotFound = 2,
  kInvalidFilename = 3,  // a folder on the path is missing, or the name is too long
  kTooManyOpenFiles = 4,
  kAccessDenied = 5,  // a read-only file, a name that names a folder, missing rights
  kWriteFault = 29,   // the device failed a write
  kReadFault = 30,    // the device failed a read
  kSharingViolation = 32,  // another open of the file forbids this one
  kNameTaken = 80,         // a file that must be new exists
  kDiskFull = 112,
  kInvalidName = 123,  // the name holds a character that no file name may hold

  // Raised by the line files themselves.
  kNotOpen = 103,  // writing to, or closing, a line file that is not open
  kNotOpenForReading = 104,

  // Raised below the line rules.
  kDamagedData = 23,    // compressed data that cannot be decoded
  kSourceChanged = 33,  // another program changed the source during the run

  // Codes with a message of their own that nothing here raises.
  kReadBeyondEndOfFile = 100,
  kDiskWriteError = 101,  // its message says "Disk full"
  kInvalidNumericInput = 106,
};

}  // namespace vendral::platform
