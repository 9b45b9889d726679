#pragma once

#include "ui/dpi_manager.h"

// Puts the DPI manager at a scale for one test and restores it afterwards.
class DpiScope {
public:
    explicit DpiScope(int percent) {
        ui::DpiManager* dpi = ui::DpiManager::GetInstance();
        oldAdapt_ = dpi->IsAdaptDPI();
        oldScale_ = dpi->GetScale();
        dpi->SetAdaptDPI(true);
        dpi->SetScale(percent);
    }
    ~DpiScope() {
        ui::DpiManager* dpi = ui::DpiManager::GetInstance();
        dpi->SetAdaptDPI(oldAdapt_);
        dpi->SetScale(oldScale_);
    }
    DpiScope(const DpiScope&) = delete;
    DpiScope& operator=(const DpiScope&) = delete;

private:
    bool oldAdapt_ = false;
    int oldScale_ = 100;
};
