#include "quot/api/MarketSnapshot.h"

#include <cstddef>
#include <cstdint>

#include "translate/DateText.h"
#include "translate/Numbers.h"
#include "translate/TextCopy.h"

namespace {

// The conversions named in SnapshotMembers.def.
namespace conversion {

template <typename T>
void Same(T& target, const T& source) {
    target = source;
}

template <size_t TargetWidth, size_t SourceWidth>
void Text(char (&target)[TargetWidth], const char (&source)[SourceWidth]) {
    translate::CopyText(target, source);
}

template <size_t TargetWidth, size_t SourceWidth>
void Date(char (&target)[TargetWidth], const char (&source)[SourceWidth]) {
    translate::ToPublicDate(target, source);
}

void LowWord(int& target, int64_t source) {
    target = translate::LowWord(source);
}

void Count(double& target, int64_t source) {
    target = translate::CountToDouble(source);
}

}  // namespace conversion

}  // namespace

CZantuVextMarketSnapshot ToMarketSnapshot(const quot::Quot& quote) {
    CZantuVextMarketSnapshot snapshot{};
#define KDX_SNAPSHOT_MEMBER(member, quotMember, convert) \
    conversion::convert(snapshot.member, quote.quotMember);
#include "quot/api/SnapshotMembers.def"
#undef KDX_SNAPSHOT_MEMBER
    return snapshot;
}
