// One notification flow: every package it carried, numbered from 1, kept for replay. A client that
// resumes after position n gets packages n+1 onwards, so it loses and duplicates nothing. Sans-I/O;
// one thread at a time.
#pragma once

#include <cstdint>
#include <vector>

namespace simfront {

using Payload = std::vector<uint8_t>;

class CFlowJournal {
  public:
    // The sequence number of the next package.
    uint32_t NextSequence() const { return static_cast<uint32_t>(Packages.size()) + 1; }
    // The sequence number of the last package, 0 while the flow is empty.
    uint32_t Last() const { return static_cast<uint32_t>(Packages.size()); }
    // Keeps a package numbered NextSequence().
    void Append(Payload package) { Packages.push_back(std::move(package)); }

    // The position granted to a client asking to resume after pkgNo: pkgNo itself while it names a
    // package of this flow (0 replays everything); any larger value, 0xFFFFFFFF (only new packages)
    // included, grants the last package, so that no new one is taken for old.
    uint32_t Grant(uint32_t pkgNo) const { return pkgNo <= Last() ? pkgNo : Last(); }

    // The package with sequence number n (1 ... Last()).
    const Payload& At(uint32_t n) const { return Packages[n - 1]; }

  private:
    std::vector<Payload> Packages;
};

}  // namespace simfront
