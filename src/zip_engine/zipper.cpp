#include "zip_engine/zipper.h"
// Placeholder until the Zipper is implemented.
Zipper::Zipper(QObject* parent) : QObject(parent) {}
Zipper::~Zipper() = default;
bool Zipper::AddFile(const QString&, const QString&, int, int, int, const QString&) { return true; }
void Zipper::ClearFiles() {}
void Zipper::Cancel() {}
bool Zipper::Zip(const QString&, int) { return true; }
void Zipper::onTick() {}
