// EOrqMathError: misuse of the math layer (index out of range, bad size).
#pragma once

#include "orqbase/OrqError.h"

namespace orq {

class EOrqMathError : public EOrqError {
 public:
  using EOrqError::EOrqError;
};

}  // namespace orq
