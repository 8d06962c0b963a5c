// The platform's exception classes. Every exception the library raises
// derives from Exception; what() is the message text exactly as built.
#pragma once

#include <stdexcept>
#include <string>

namespace orq {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& Msg) : std::runtime_error(Msg) {}
  std::string Message() const { return what(); }
};

// Input/output failure of the run-time library; ErrorCode is an errno value
// (or 0 when the failure has no system cause, such as a short read).
class EInOutError : public Exception {
 public:
  EInOutError(const std::string& Msg, int Code) : Exception(Msg), ErrorCode(Code) {}
  int ErrorCode;
};

// Conversion failure: text to number, incompatible Assign.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

}  // namespace orq
