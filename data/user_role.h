#pragma once

// The role a login word selects. The journal narrows its controls by it and the report window
// offers its reports by it; the change history records its name.
enum class UserRole { Reviewer, Foreman, Storekeeper, Administrator };
