// The math support layer in one header.
#pragma once

#include "orqmath/CurveFit.h"
#include "orqmath/DegreeToStr.h"
#include "orqmath/MathError.h"
#include "orqmath/MathFeedback.h"
#include "orqmath/MathUtils.h"
#include "orqmath/Matrix.h"
#include "orqmath/SphereGeometry.h"
#include "orqmath/StraightLine.h"
#include "orqmath/TextScan.h"
#include "orqplatform/DateTime.h"
#include "orqplatform/Random.h"
