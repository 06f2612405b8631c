// The ordered row tables of the two dictionaries. Each library links exactly one of them.
#pragma once

#include <cstddef>

#include "codec/FieldDescriptor.h"

constexpr std::size_t TradeDictionaryRows = 463;
constexpr std::size_t QuotDictionaryRows = 409;

extern const FieldDescriptor* const TradeDictionary[TradeDictionaryRows];
extern const FieldDescriptor* const QuotDictionary[QuotDictionaryRows];
