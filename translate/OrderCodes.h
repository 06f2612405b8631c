// Code characters of orders and trades, public to session and back, and the order state with its
// text. Public codes: PriceKind '1' market, '2' limit; Side '0' buy, '1' sell; OpenClose '0' open,
// '1' close, '3' close today. Session codes: PriceType 'M'/'L', BSFlag 'B'/'S', OCFlag 'O'/'C'/'T'.
// Pure functions, any thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace translate {

// Public to session (order entry).
[[nodiscard]] char ToPriceType(char priceKind);  // '1' -> 'M', anything else -> 'L'
[[nodiscard]] char ToBSFlag(char side);          // '0' -> 'B', anything else -> 'S'
// '0' -> 'O'; '3' -> 'T' when the exchange code (read within its width) is exactly "SHFE" or "INE",
// else 'C'; anything else -> 'C'.
[[nodiscard]] char ToOCFlag(char openClose, const char* exchangeCode, size_t exchangeCodeWidth);

// Session to public (replies and notifications).
[[nodiscard]] char ToPriceKind(char priceType);  // 'M' -> '1', anything else -> '2'
[[nodiscard]] char ToSide(char bsFlag);          // 'B' -> '0', anything else -> '1'
[[nodiscard]] char ToOpenClose(char ocFlag);     // 'T' -> '3', 'C' -> '1', anything else -> '0'

// Public order state from the session's order status: 'C' -> '5' cancelled, 'F' -> '0' filled,
// 'I' -> '3' entered while nothing is filled (qty == qtyLeft), else '1' partly filled; anything else
// -> 'a' accepted.
[[nodiscard]] char ToOrderState(char orderStatus, int32_t qty, int32_t qtyLeft);

// The GBK text of a public order state, for orders whose server description is empty; "" for a
// character that is not an order state.
[[nodiscard]] const char* OrderStateText(char orderState);

}  // namespace translate
