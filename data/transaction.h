#pragma once

#include <QString>
#include <vector>

namespace data {

struct Change;

// One guard for every action of several statements. Guards nest: only the outermost one begins
// and commits; if any guard is left without commit() (an exception unwinding through it), the
// whole transaction is rolled back. The changes announced inside (data::announce) are told
// after the outermost commit, each once; a rollback drops them.
class Transaction {
public:
    Transaction();
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();  // throws DbError when the outermost commit fails

    // True while a transaction is open on the data module's connection.
    static bool active();
    // data::announce inside a transaction: told after the outermost commit.
    static void holdUntilCommit(const Change& change);

private:
    bool done_ = false;
};

// Serialises a check and the write that follows it across workstations: a lock on the key held
// until the surrounding transaction ends. Call inside a Transaction. Shared locks of one key do
// not wait for each other, only for the exclusive one (and it for them).
enum class LockMode { Exclusive, Shared };
void lockForTransaction(const QString& key, LockMode mode = LockMode::Exclusive);

// Several such locks taken one after the other in the order given, by one statement.
struct LockRequest {
    QString key;
    LockMode mode = LockMode::Exclusive;
};
void lockAllForTransaction(const std::vector<LockRequest>& locks);

}  // namespace data
