// The base support layer in one header.
#pragma once

#include "orqbase/BaseTypes.h"
#include "orqbase/BitField.h"
#include "orqbase/BoundedString.h"
#include "orqbase/Limits.h"
#include "orqbase/OrqError.h"
#include "orqbase/StringUtils.h"
#include "orqbase/TagReader.h"
#if __has_include("orqbase/DrawFrame.h")
#include "orqbase/DrawFrame.h"
#endif
