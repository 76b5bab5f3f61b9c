#pragma once

#include <QMainWindow>

namespace mostarium {

// The main window. For now the frame that later units fill.
class frmRecept : public QMainWindow {
    Q_OBJECT
public:
    explicit frmRecept(QWidget *parent = nullptr);
};

} // namespace mostarium
