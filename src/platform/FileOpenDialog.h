#pragma once
// The file-open dialog for attachments: no filter, title, folder or default extension.

#include <QString>

class FileOpenDialog
{
public:
    virtual ~FileOpenDialog() = default;
    // The chosen file's full path, or an empty string when the user cancelled.
    [[nodiscard]] virtual QString ShowOpen() = 0;
};

class QtFileOpenDialog final : public FileOpenDialog
{
public:
    [[nodiscard]] QString ShowOpen() override;
};
