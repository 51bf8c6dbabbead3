#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmHelp;
}

// The help page: the maker, the program's name, the web address and the instructions.
class frmHelp : public QDialog
{
    Q_OBJECT

public:
    explicit frmHelp(QWidget *parent = nullptr);
    ~frmHelp() override;

private slots:
    void lblURL_Click();
    void cmdClose_Click();

private:
    void Form_Load();

    std::unique_ptr<Ui::frmHelp> ui;
};
