#pragma once
// The busy (hourglass) mouse pointer that long work shows. Whoever shows the
// chart implements it; the plot routine and the commands switch it.

namespace qv {

class BusyPointer
{
public:
    virtual ~BusyPointer() = default;
    virtual void setBusy(bool on) = 0;
};

} // namespace qv
