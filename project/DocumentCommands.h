#pragma once

#include <QUndoCommand>

#include <cstdint>
#include <memory>
#include <vector>

#include "model/CIDG.h"

class CQORVADoc;

// What the user views of a project: the system and room shown, the chart or
// page view, the label switches, the chart window and the condition each
// room shows. Undoing a change of project data keeps what the user views.
struct ProjectViewState {
    std::int32_t system = 0;
    std::int32_t room = 0;
    std::int32_t chartView = 1;
    std::int32_t pointLabels = 1;
    std::int32_t processLineLabels = 0;
    std::int32_t hhrLineLabels = 1;
    ChartWindow window;
    float xMaxFull = 0.04f;
    float tMinFull = -30.0f;
    std::int32_t clipLeft = 0;
    std::int32_t clipTop = 0;
    std::vector<std::vector<std::int32_t>> conditions; // by system, by room

    static ProjectViewState Of(const CIDG& idg);
    // Puts the state back; room conditions where the room still exists.
    void ApplyTo(CIDG& idg) const;
};

// A change of one room: the room's contents before (or after) the change,
// swapped with the live room on undo and redo. The condition the room shows
// is left as it is.
class RoomSnapshotCommand : public QUndoCommand {
public:
    RoomSnapshotCommand(CQORVADoc& document, int system, int room, std::unique_ptr<CServiceArea> other,
                        const QString& text);
    void undo() override;
    void redo() override;

private:
    void swap();

    CQORVADoc& m_document;
    int m_system;
    int m_room;
    std::unique_ptr<CServiceArea> m_other;
    bool m_applied = true; // the change was made before the command was pushed
};

// A change of project-wide data (design data, pressures, basic parameters,
// systems and rooms): the whole project before (or after) as the bytes of
// the project file, swapped with the live project on undo and redo.
class ProjectSnapshotCommand : public QUndoCommand {
public:
    ProjectSnapshotCommand(CQORVADoc& document, std::vector<std::uint8_t> other, const QString& text);
    void undo() override;
    void redo() override;

private:
    void swap();

    CQORVADoc& m_document;
    std::vector<std::uint8_t> m_other;
    bool m_applied = true;
};

// The project data of a project file image, into idg; false when the bytes
// cannot be read (never for bytes this program wrote).
bool RestoreProjectBytes(const std::vector<std::uint8_t>& bytes, CIDG& idg);
// The bytes of the project data of idg.
std::vector<std::uint8_t> ProjectBytes(const CIDG& idg);
