#pragma once

#include <string>
#include <string_view>
#include <vector>

// The items joined by ", ", or `whenEmpty` when there are none.
std::string JoinedList(const std::vector<std::string>& items, std::string_view whenEmpty = "");

// A system message made fit for a one-line report: each run of line breaks becomes one
// space and trailing blanks go ("Access is denied.\r\n" gives "Access is denied.").
std::string OneLine(std::string_view message);

// Why a system call failed, for a report: its message in one line (OneLine), or
// "system error N" when the message says nothing.
std::string FailureReason(std::string_view message, unsigned long error);
