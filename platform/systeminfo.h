#pragma once

#include <QString>

namespace platform {

struct PhysicalMemory
{
    quint64 availableBytes = 0;
    quint64 totalBytes = 0;
};

// The processor's marketing name; empty when the system does not say.
QString processorName();

// Zeros when the system cannot tell.
PhysicalMemory physicalMemory();

} // namespace platform
