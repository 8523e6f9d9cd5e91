#pragma once

#include "fault_switches.h"
#include "record_log.h"
#include "request_handler.h"
#include "sim_options.h"

#include <atomic>

// What all connections share.
struct SimContext
{
    const SimOptions& options;
    SimData& data;
    RequestHandler& handler;
    FaultSwitches& faults;
    RecordLog& record;
    const std::atomic<bool>& stopping;
};

// Serves one client: reads its requests one after another, records and
// logs them, applies the fault switches and writes the replies, until the
// client says goodbye or goes away. Runs on its own thread.
void ServeConnection(int descriptor, int number, SimContext& context);

// The log outcomes of --drop-random, the same on both sides, so that a
// soak run can count the requests dropped before and after they were
// carried out.
QString DroppedBefore();
QString DroppedAfter(const QString& outcome);

// The --delay before a reply; cut short when the simulator stops.
void PauseBeforeReply(const SimContext& context);
