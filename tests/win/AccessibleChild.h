// The child id a screen reader's calls take: a VARIANT holding the number.
#pragma once

#include <windows.h>
#include <oleauto.h>

namespace pikko::testing {

inline VARIANT AccessibleChild(long id) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

}  // namespace pikko::testing
