#include "app/CQuorvelApp.h"
#include "app/InformationOptions.h"
#include "storage/SettingsStore.h"
#include "texts/Language.h"
#include "ui/common/DialogBuilder.h"
#include "ui/common/QtTranslations.h"
#include "ui/main/QuorvelDlg.h"
#include "ui/main/SaveFailurePrompt.h"

int main(int argc, char* argv[])
{
    if (const std::optional<int> answered = AnswerInformationOptions(argc, argv, stdout))
        return *answered;
    CQuorvelApp app(argc, argv);
    // Message boxes and menus speak in the same font as the dialogs, and
    // Qt's own texts in the dialogs' language: Qt's are English already.
    QApplication::setFont(DialogFont());
    const UiLanguage language = ChosenLanguage(SettingsStore().readLanguageChoice());
    InstallProgramTranslation(language);
    if (language == UiLanguage::Chinese)
        QtTranslations::Install();
    app.InitInstance(&CQuorvelDlg::runModal, InteractivePrompts());
    return 0;
}
