// The "OK" / "Abbrechen" button row of the program's own dialogs, wired to accept and reject.
#pragma once

class QDialog;
class QDialogButtonBox;

QDialogButtonBox* makeOkCancelButtons(QDialog& dialog);
