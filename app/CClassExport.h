#pragma once

#include "results/class_workbook.h"

#include <QString>

#include <functional>
#include <vector>

class QWidget;

// The File menu's class exports: what has been checked so far as the workbook, the
// class report or the students' slips, named from the class list chosen once and
// remembered in the settings.
class CClassExport {
public:
    // The sheets to export; with their ID areas cut from the scans when asked (for the slips).
    using CheckedSheets = std::function<const std::vector<ClassSheetRow>&(bool idAreas)>;

    explicit CClassExport(CheckedSheets checked);

    // Asks for the class list; a list that cannot be read is refused and the one
    // before it kept. Cancelling with a list chosen offers to stop using it.
    void OnChooseRoster();
    void OnExportWorkbook();
    void OnExportReport();
    void OnExportSlips();

    // The class list in use; empty when none.
    static QString RosterPath();

    using Maker = std::function<Result<std::string>(const ClassWorkbook&)>;
    // Asks for the file, then writes what `make` makes of the class; every failure is
    // shown with the file and why.
    void Export(const Maker& make, const QString& description, const QString& suffix,
        const QString& proposedName, bool idAreas = false);

private:
    // Whether the file may be written: never over a checked scan or the class list, and
    // over another file only when the person says so.
    static bool MayWrite(const QString& path, const std::vector<ClassSheetRow>& sheets);

    CheckedSheets m_checked;
};
