// The trading library's entry points are added here with the facade; until then the library carries
// the codec and its trading dictionary.
#include "codec/Dictionary.h"

namespace {
[[maybe_unused]] const FieldDescriptor* const* const Rows = TradeDictionary;
}
