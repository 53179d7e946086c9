#pragma once
// "About": the program's picture, its title in bold and its version.

#include <QDialog>

class CDlgAbout : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgAbout(QWidget* parent = nullptr);
};
