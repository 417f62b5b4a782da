#pragma once

#include <QString>

// Everything that lies "beside the executable" (Config.ini, ParamConfig.db,
// the workbook template) is found in one application directory: the
// executable's own unless a test points it elsewhere.
QString AppDirectory();
void SetAppDirectory(const QString& dir); // empty restores the executable's directory
// AppDirectory() joined with a file name, using the native separator.
QString AppFilePath(const QString& fileName);
// Joins a directory and a file name with the native separator, always adding one.
QString JoinNative(const QString& dir, const QString& fileName);
