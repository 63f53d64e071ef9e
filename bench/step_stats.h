#pragma once

#include "figures.h"
#include "step_probe.h"

#include <QList>

// Fills the step figures of Figures (count, work, longest and p99 steps, what the longest and
// the slow steps were doing, the waits between steps) from the steps a StepProbe recorded
// with a timer of IntervalMs.
void SummariseSteps(const QList<StepRecord>& Steps, int IntervalMs, WindowFigures& Figures);
