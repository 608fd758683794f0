#include "RecordingShell.h"

bool RecordingShell::record(const Launch& launch)
{
    m_launches.append(launch);
    return m_succeeds;
}
