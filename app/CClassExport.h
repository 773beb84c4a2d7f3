#pragma once

#include "grading/graded_class.h"
#include "results/class_workbook.h"

#include <QString>

#include <functional>
#include <vector>

class QWidget;

// A class's exports: the workbook, the class report or the students' slips of the
// class its owner hands over (the File menu's: what has been checked so far; a class
// window's: its class), with the key that class was graded with and its class list.
class CClassExport {
public:
    // The class to export; its sheets with their ID areas cut from the scans when asked
    // (for the slips). A failure is shown and nothing is written.
    using ClassSource = std::function<Result<GradedClass>(bool idAreas)>;

    explicit CClassExport(ClassSource source);
    // Every export first asks whether to go on while this counts items left to settle.
    void AskWhileUnresolved(std::function<int()> count) { m_unresolved = std::move(count); }

    // Asks for the class list; a list that cannot be read is refused and the one
    // before it kept. Cancelling with a list chosen offers to stop using it.
    void OnChooseRoster();
    void OnExportWorkbook();
    void OnExportReport();
    void OnExportSlips();

    // The class list in use; empty when none.
    static QString RosterPath();
    // The class list in use, read; nothing when none is chosen.
    static Result<std::optional<Roster>> ReadRoster();

    using Maker = std::function<Result<std::string>(const ClassWorkbook&)>;
    // Asks for the file, then writes what `make` makes of the class; every failure is
    // shown with the file and why.
    void Export(const Maker& make, const QString& description, const QString& suffix,
        const QString& proposedName, bool idAreas = false);

private:
    // Whether the file may be written: never over a checked scan or the class list, and
    // over another file only when the person says so.
    static bool MayWrite(const QString& path, const GradedClass& graded);

    ClassSource m_source;
    std::function<int()> m_unresolved;
};
