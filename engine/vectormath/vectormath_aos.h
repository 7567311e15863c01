#pragma once
// Everything in Vectormath::Aos, under the name of the original library's
// header so that code including it builds against either.
#include "vectormath/Matrix3.h"
#include "vectormath/Matrix4.h"
#include "vectormath/Point3.h"
#include "vectormath/Quat.h"
#include "vectormath/Vector3.h"
#include "vectormath/Vector4.h"
