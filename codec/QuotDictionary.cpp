// The market-data library's field dictionary: the rows marked B and Q, in table order (409 rows).
#define KDX_KEEP_B(...) __VA_ARGS__
#define KDX_KEEP_T(...)
#define KDX_KEEP_Q(...) __VA_ARGS__
#define KDX_DICTIONARY QuotDictionary
#define KDX_DICTIONARY_ROWS QuotDictionaryRows
#include "codec/DictionaryRows.inc"
