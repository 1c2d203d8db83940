#pragma once

#include <QString>

// Statement texts, filters and rules of the operations list and the operation editor. Only
// numbers are spliced into statements; the search text only reaches the client-side filter.
namespace refbooks::operations {

// Duplicate counts of a product, kind and finished/blank combination; the change form leaves the
// operation itself out.
QString duplicateOnAdd(int kindId, int productKind, int productId);
QString duplicateOnChange(int kindId, int productKind, int productId, int ownId);

// Answers with the new operation's id: its own row's, whatever other workstations add meanwhile.
QString insertOperation(int kindId, int productKind, int productId);
QString updateOperation(int kindId, int productKind, int productId, int id);
// The lock that serialises the duplicate check of a combination with the write that follows it.
QString combinationLockKey(int kindId, int productKind, int productId);
// A new operation's first norm, with the parameters o_id and price.
QString insertFirstNorm();

// The price list query: every operation with a product and a kind, norms or not.
QString priceList();

// The incremental search by mark; off (empty) when the typed text is blank.
QString markFilter(const QString& typed);

// The mark of a product, read when an operation is chosen.
QString productMark(int productId);

// The entry price of a chosen operation: the base price, doubled on a day off, then times 1.2 in
// shift 3 or 1.5 in overtime (shift 4).
double finalPrice(double basePrice, bool dayOff, int shift);

// The entry editor's operation text: mark "; " kind "; " finished/blank.
QString operationText(const QString& mark, const QString& kind, int productKind);

}  // namespace refbooks::operations
