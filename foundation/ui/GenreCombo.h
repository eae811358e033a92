#pragma once
class QComboBox;

// Appends an empty item first when `addBlank`, then the 148 genre names in
// index order (a sorting combo box sorts them as usual).
void GenresIntoComboBox(QComboBox* combo, bool addBlank);
