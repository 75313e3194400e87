#pragma once

// The system's neighbour table (IPv4 address to hardware address, per interface) through
// the IP helper, which the caller has loaded.
#include <cstdint>
#include <string>
#include <vector>

#include "NetworkIdentity.h"
#include "SystemLibrary.h"

// Every IPv4 row of the table (GetIpNetTable2), stale ones included: a stale entry still
// holds the address the neighbour last answered with. Empty when the table cannot be read.
std::vector<TNeighbour> ReadNeighbourTable(TSystemLibrary& ipHelper);

// Asks the link for the hardware address of `address` on interface `interfaceLuid`
// (ResolveIpNetEntry2: an ARP request, which can take a few seconds when nobody answers).
// Empty when nobody answers, or when the system has no such function (it is looked up by
// name: a program that imported it would not start there).
std::string ResolveNeighbour(TSystemLibrary& ipHelper, std::uint64_t interfaceLuid,
                             const std::string& address);
