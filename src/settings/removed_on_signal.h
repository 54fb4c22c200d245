#pragma once

#include <QString>

namespace kestrum {

// A file that goes if the process is ended by SIGINT, SIGTERM or SIGHUP
// while the object lives: a download's page or a save's temporary, which
// would otherwise stay behind until a later run sweeps it. The process then
// ends by the signal as it would have. A signal the process ignores (nohup)
// or handles itself is left alone. Nothing is done at destruction: the owner
// removes or keeps the file itself.
class RemovedOnSignal {
public:
    explicit RemovedOnSignal(const QString& path);
    ~RemovedOnSignal();
    RemovedOnSignal(const RemovedOnSignal&) = delete;
    RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

private:
    int m_slot = -1; // -1 when every slot was taken: the file is swept later instead
};

} // namespace kestrum
