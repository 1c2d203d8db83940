#include "data/change.h"

#include "data/transaction.h"

namespace data {

ChangeFeed& changes() {
    static ChangeFeed feed;
    return feed;
}

void announce(const Change& change) {
    if (Transaction::active())
        Transaction::holdUntilCommit(change);
    else
        emit changes().changed(change);
}

}  // namespace data
