#pragma once

#include "base/StyledText.h"

// The text of the window "试题输入帮助": how a pasted question must look for
// each type so that "自动填写" can split it.
namespace inputhelp {

inline constexpr int kHeadingPoints = 18;
inline constexpr int kTextPoints = 11;

StyledText lines();

} // namespace inputhelp
