#pragma once

#include <QString>
#include <optional>

enum class UserRole { Reviewer, Foreman, Storekeeper, Administrator };

namespace login {

// The foreman's word; the acceptance toggle refuses it.
inline constexpr const char* kForemanWord = "brigado";

// The role a typed word selects: trimmed, compared exactly (letter case matters).
std::optional<UserRole> roleForWord(const QString& typed);

}  // namespace login
