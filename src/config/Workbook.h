#pragma once

#include "IndicatorSettings.h"

#include <QDateTime>
#include <QString>

enum class WorkbookVariant { Full, TemperatureOnly };

// The template that lies in the application directory.
inline constexpr const char* kWorkbookTemplateName = "Thermal indicator settings, USER.xlsx";

enum class WorkbookResult {
    Saved,    // the workbook was written
    Declined, // the user chose not to replace an existing file; nothing written, no error
    Failed,   // a message has been shown; the calling operation ends silently
};

// Fills a copy of the template with the configuration and saves it at path.
// Shows its own messages (replace question, failures).
WorkbookResult WriteSettingsWorkbook(const TIndicatorSettings& settings, const QString& path,
                                     WorkbookVariant variant);
