#pragma once

// Whether this process runs with a full administrator token (token elevation query).
// A token that cannot be queried counts as not elevated.
bool ProcessIsElevated();
