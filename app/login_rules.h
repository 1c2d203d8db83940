#pragma once

#include "data/user_role.h"

#include <QString>
#include <optional>

namespace login {

// The foreman's word; the acceptance toggle refuses it.
inline constexpr const char* kForemanWord = "brigado";

// The refusal of a word that selects no role, or of a login the server refuses.
inline constexpr const char* kRefusedMessage = "Введены неверные данные.";

// The role a typed word selects: trimmed, compared exactly (letter case matters).
std::optional<UserRole> roleForWord(const QString& typed);

// Whether the role may read the change history: the administrator and the reviewer.
bool readsHistory(UserRole role);

// The role's name as the change history records it: "Reviewer", "Foreman" ...
QString roleName(UserRole role);

// Whether the acceptance toggle refuses the journal's login word: the foreman may not accept,
// and the reviewer only reads the journal.
bool refusesAcceptance(const QString& loginWord);
bool refusesAcceptance(UserRole role);

}  // namespace login
