// The named constant texts of ConstantTexts.def: translate::text::ApiVersion, ...::NotSupported.
#pragma once

namespace translate::text {

#define KDX_TEXT(name, value) inline constexpr char name[] = value;
#define KDX_STATE_TEXT(state, value)
#include "translate/ConstantTexts.def"
#undef KDX_STATE_TEXT
#undef KDX_TEXT

}  // namespace translate::text
