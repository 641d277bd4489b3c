#pragma once
// The TLV data of the FN's receipts and correction receipts: each item as
// composite 1059 with its own values and the item-bound tags sent after it,
// the tags sent for the whole document, then the totals, payments and VAT sums.
#include "emulator/RegisterReceipt.h"

#include <vector>

namespace FNReceiptTags {
// The tags of a receipt closed with the FN closing; `sent` are the tags sent
// while it was open, in order.
std::vector<FNTag> Receipt(const std::vector<ReceiptItem>& items, const std::vector<FNTag>& sent,
                           const FNClosingData& closing, Currency total, const std::array<Currency, 17>& payments);
// The tags of a correction receipt built in one step.
std::vector<FNTag> Correction(const CorrectionData& data, const std::vector<FNTag>& sent);

FNTag Byte(int number, int value);
FNTag Integer(int number, quint64 value);
// An amount in kopecks.
FNTag Amount(int number, Currency value);
// True for the tags that hold an amount in kopecks.
bool IsAmount(int number);
FNTag Text(int number, const QString& value);
// A composite of the tags.
FNTag Composite(int number, std::vector<FNTag> items);
} // namespace FNReceiptTags
