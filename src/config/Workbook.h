#pragma once

#include "IndicatorSettings.h"

#include <QDateTime>
#include <QString>

enum class WorkbookVariant { Full, TemperatureOnly };

// The template that lies in the application directory.
inline constexpr const char* kWorkbookTemplateName = "Thermal indicator settings, USER.xlsx";

// Fills a copy of the template with the configuration and saves it at path.
// Shows its own messages (replace question, failures). Returns true when the
// caller may go on: saved, or the user declined to replace an existing file.
bool WriteSettingsWorkbook(const TIndicatorSettings& settings, const QString& path, WorkbookVariant variant);
