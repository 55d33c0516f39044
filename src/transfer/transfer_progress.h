#pragma once

#include <cstddef>

namespace zubk {

// Told how far the record loop has got, for a person watching a long run.
class TransferProgress {
public:
    virtual void Advance(std::size_t recordsDone, std::size_t recordsTotal) = 0;
    // Takes the progress off the screen, before other output or at the end.
    virtual void Clear() = 0;

protected:
    ~TransferProgress() = default;
};

}  // namespace zubk
