#include "scanning/engine/ScanResultsSource.h"

#include "foundation/WindowProtocol.h"

IScanResultsSource::~IScanResultsSource() = default;

IScanResultsSource* FindScanResultsSource() {
    return WindowRegistry::FindAs<IScanResultsSource>(WindowNames::ScanningCentre);
}
