#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class QGroupBox;
class QLabel;
class QWidget;

namespace mostarium {

struct DisplayModel;

// The schedule and evaluation frames of the main window with their label rows,
// placed at their twips positions and filled from the display model.
class ScheduleView {
public:
    // Creates the frames and labels inside `area`.
    explicit ScheduleView(QWidget *area);

    // Copies captions, texts, colours, tool tips and visibility.
    void refresh(DisplayModel &model);

    QGroupBox *frame(const QString &name) const { return m_frames.value(name); }
    QLabel *label(const QString &name) const { return m_labels.value(name); }
    const QStringList &frameNames() const { return m_frameOrder; }

    // Geometry in twips.
    static void place(QWidget *w, double left, double top, double width, double height);
    static void move(QWidget *w, double left, double top);
    static void setHeight(QWidget *w, double height);

private:
    QGroupBox *addFrame(QWidget *parent, const QString &name, int left, int top, int width, int height);
    void addLabel(QGroupBox *frame, const QString &name, int left, int top);
    void addRows(QGroupBox *frame, const QString &array, int count, int left, int top);

    // The caption each frame shows a fitted form of, for the room it had.
    struct Shown {
        QString caption;
        int room = -1;
    };
    QHash<const QGroupBox *, Shown> m_captions;
    QHash<QString, QGroupBox *> m_frames;
    QHash<QString, QLabel *> m_labels;
    QStringList m_frameOrder;
};

}  // namespace mostarium
