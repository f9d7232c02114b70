#pragma once

#include <QString>

namespace kv {

// A failure as the user sees it: the number is the message box's title, the description
// its text. Files, the settings file and the serial link all report through it.
struct Failure {
  int number = 0;
  QString description;
};

// Error numbers of files and values as the program has always reported them (the serial
// layer's are its own, in link/serialport.h).
namespace errnum {
constexpr int kSubscript = 9;
constexpr int kTypeMismatch = 13;
constexpr int kPastEnd = 62;
constexpr int kFileAccess = 75;
constexpr int kInvalidValue = 380;
}  // namespace errnum

}  // namespace kv
