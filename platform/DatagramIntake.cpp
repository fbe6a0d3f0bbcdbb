#include "DatagramIntake.h"

DatagramIntake::Batch::Batch(DatagramIntake& intake)
    : m_lock(intake.m_mutex), m_intake(intake), m_wasIdle(intake.idle()) {}

void DatagramIntake::Batch::add(const char* data, std::size_t size) {
    auto& in = m_intake;
    if (in.m_pending.size() >= in.m_limits.datagrams ||
        in.m_pendingBytes + size > in.m_limits.bytes) {
        ++in.m_dropped;
        return;
    }
    in.m_pendingBytes += size;
    in.m_pending.emplace_back(data, size);
}

void DatagramIntake::deliver(const std::weak_ptr<DatagramIntake>& weak, DatagramSink& sink) {
    const auto intake = weak.lock();
    if (!intake) return;
    std::vector<std::string> batch;
    std::size_t dropped = 0;
    bool error = false;
    {
        std::lock_guard lock(intake->m_mutex);
        batch.swap(intake->m_pending);
        intake->m_pendingBytes = 0;
        std::swap(dropped, intake->m_dropped);
        std::swap(error, intake->m_errorPending);
    }
    if (!batch.empty()) sink.datagramsArrived(batch);
    if (dropped) sink.datagramsDropped(dropped);
    if (error) sink.socketError();
}
