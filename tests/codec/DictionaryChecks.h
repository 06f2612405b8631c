// Checks shared by the two dictionary tests.
#pragma once

#include <cstring>
#include <set>

#include <gtest/gtest.h>

#include "codec/FieldDescriptor.h"

struct RowCase {
    size_t Index;
    uint16_t Tag;
    const char* Name;
    char Type;
    int32_t Length;
    uint32_t Kind;
};

template <size_t N>
void CheckRows(const FieldDescriptor* const* table, size_t rows, const RowCase (&cases)[N]) {
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_LT(c.Index, rows);
        const FieldDescriptor& row = *table[c.Index];
        EXPECT_EQ(row.Tag, c.Tag);
        EXPECT_STREQ(row.Name, c.Name);
        EXPECT_EQ(row.Type, c.Type);
        EXPECT_EQ(row.Length, c.Length);
        EXPECT_EQ(row.Kind, c.Kind);
    }
}

// Record and list rows are C with length 0; scalar C rows use the known lengths; names fit.
inline void CheckTableRules(const FieldDescriptor* const* table, size_t rows) {
    const std::set<int32_t> textLengths{0,  8,  10,  15,  16,  19,  20,   30,  32,
                                        40, 50, 100, 140, 256, 500, 1000, 1024};
    const std::set<char> types{'C', 'D', 'L', 'I', 'S'};
    for (size_t i = 0; i < rows; ++i) {
        const FieldDescriptor& row = *table[i];
        SCOPED_TRACE(row.Name);
        EXPECT_LT(std::strlen(row.Name), 32u);
        EXPECT_TRUE(types.count(row.Type));
        if (row.Kind != 0) {
            EXPECT_TRUE(row.Kind == KindRecord || row.Kind == KindList);
            EXPECT_EQ(row.Type, 'C');
            EXPECT_EQ(row.Length, 0);
        } else if (row.Type == 'C') {
            EXPECT_TRUE(textLengths.count(row.Length));
        } else {
            EXPECT_EQ(row.Length, 0);
        }
    }
}
