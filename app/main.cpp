#include "app/CQuorvelApp.h"
#include "app/InformationOptions.h"
#include "ui/common/DialogBuilder.h"
#include "ui/main/QuorvelDlg.h"
#include "ui/main/SaveFailurePrompt.h"

int main(int argc, char* argv[])
{
    if (const std::optional<int> answered = AnswerInformationOptions(argc, argv, stdout))
        return *answered;
    CQuorvelApp app(argc, argv);
    // Message boxes and menus speak in the same font as the dialogs.
    QApplication::setFont(DialogFont());
    app.InitInstance(&CQuorvelDlg::RunModal, InteractivePrompts());
    return 0;
}
