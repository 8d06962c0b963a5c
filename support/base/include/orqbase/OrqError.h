// EOrqError: the base of every exception the orqcarta libraries raise
// (EOrqGeoBasicsError, EOrqGeoDBError, EOrqGeoMapError).
#pragma once

#include "orqplatform/Exceptions.h"

namespace orq {

class EOrqError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace orq
