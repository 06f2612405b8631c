// The trading library's field dictionary: the rows marked B and T, in table order (463 rows).
#define KDX_KEEP_B(...) __VA_ARGS__
#define KDX_KEEP_T(...) __VA_ARGS__
#define KDX_KEEP_Q(...)
#define KDX_DICTIONARY TradeDictionary
#define KDX_DICTIONARY_ROWS TradeDictionaryRows
#include "codec/DictionaryRows.inc"
