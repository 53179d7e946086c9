#pragma once
// What a text-table run asks of the user, in windows: the open or save file
// dialog, the options dialog (203, through runModal) and the error box.
// Tests and benchmarks replace the file dialogs with a TextFileChooserOverride.

#include "textfile/TextTableFile.h"

#include <filesystem>
#include <functional>

class QWidget;

// The file to read (import) or write (export), starting at `suggested`; empty when cancelled.
using TextFileChooser =
    std::function<std::filesystem::path(TextTableMode mode, const std::filesystem::path& suggested)>;

// Installs a chooser in place of the file dialogs for its lifetime.
class TextFileChooserOverride
{
public:
    explicit TextFileChooserOverride(TextFileChooser chooser);
    ~TextFileChooserOverride();
    TextFileChooserOverride(const TextFileChooserOverride&) = delete;
    TextFileChooserOverride& operator=(const TextFileChooserOverride&) = delete;

private:
    TextFileChooser m_previous;
};

class QtTextTableFrontEnd : public TextTableFrontEnd
{
public:
    explicit QtTextTableFrontEnd(QWidget* parent)
        : m_parent(parent)
    { }

    // Import: an existing file ("CSV files", "Text files", "All files");
    // export: a file to write, default extension ".csv", replacing asked first.
    std::filesystem::path chooseFile(TextTableMode mode, const std::filesystem::path& suggested) override;
    bool editOptions(TextTableFile& file) override;
    void showError(const std::string& message) override;

private:
    QWidget* m_parent;
};
