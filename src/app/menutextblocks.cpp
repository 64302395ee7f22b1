// The menu texts of every language as the bytes the program keeps: Windows-1252
// for the European languages (Romanian without diacritics, as its users type
// it on keyboards without them), code page 949 for Korean and GBK for Chinese.
// The Qt edge turns them into UTF-8 by the language's code page.
// A null entry is a key the language leaves as the previous language set it.
#include "app/menutexts.h"

namespace menutextblocks
{

// German
const char* const General1[48] = {
    "Men\xFC",             // Menu
    "&Datei",              // File
    "&Neu...",             // New
    "\xD6&ffnen...",       // Open
    "&Speichern...",       // Save
    "Speichern &unter...", // SaveAs
    "&Zur\xFC"
    "cksetzen",                       // Reset
    "&Einstellungen",                 // Settings
    "&Beenden",                       // Exit
    "&Drucken...",                    // Print
    "&Kopieren",                      // Copy
    "&Einf\xFCgen",                   // Paste
    "&Alles markieren",               // SelectAll
    "&Bearbeiten",                    // Edit
    "Te&xt",                          // Text
    "Schnell",                        // Quick
    "&Werkstoff",                     // Material
    "A&nwendung",                     // Application
    "&Vorauslegung",                  // PreDimensioning
    "&Berechnungsmethode",            // CalculationMethod
    "&Ansicht",                       // View
    "&Standard",                      // Standard
    "&Datenbank",                     // Database
    "&CAD",                           // CAD
    "&Fertigungszeichnung",           // ProductionDrawing
    "&Zeichnung",                     // Drawing
    "&Vorderansicht",                 // Projection
    "&Schnitt",                       // Profile
    "D&okument",                      // Document
    "&Zeichnungsdaten",               // DrawingData
    "\xC4nderungen - &Info",          // ModificationsInfo
    "\xC4nderungen - &Ausdruck",      // ModificationsPrintout
    "\xC4nderung - &Neu",             // ModificationNew
    "Letzte \xC4nderung &bearbeiten", // EditPreviousModification
    "Letzte \xC4nderung &l\xF6schen", // DeletePreviousModification
    "Dokumente &einrichten",          // DocumentSetup
    "&Hilfe",                         // Help
    "&Hilfsbilder",                   // AuxiliaryImages
    "&Fehlermeldungen",               // ErrorMessages
    "&TELMORA Homepage",              // Homepage
    "&E-Mail an TELMORA",             // EMailMaker
    "&Sicherheit",                    // Safety
    "&Ausdruck",                      // Printout
    "&Sprache",                       // Language
    "&Abmessungen",                   // Dimensions
    "&Animation",                     // Animation
    "&Tabelle",                       // Table
    "E-Handbuch",                     // EManual
};

// English
const char* const General2[48] = {
    "Menu",                          // Menu
    "&File",                         // File
    "&New...",                       // New
    "&Open...",                      // Open
    "&Save...",                      // Save
    "Save &As...",                   // SaveAs
    "&Reset",                        // Reset
    "Se&ttings",                     // Settings
    "E&xit",                         // Exit
    "&Print...",                     // Print
    "&Copy",                         // Copy
    "&Paste",                        // Paste
    "Select &All",                   // SelectAll
    "&Edit",                         // Edit
    "Te&xt",                         // Text
    "Quick",                         // Quick
    "&Material",                     // Material
    "A&pplication",                  // Application
    "&Pre-Dimensioning",             // PreDimensioning
    "&Calculation Method",           // CalculationMethod
    "&View",                         // View
    "&Standard",                     // Standard
    "&Database",                     // Database
    "&CAD",                          // CAD
    "&Production drawing",           // ProductionDrawing
    "&Drawing",                      // Drawing
    "P&rojection",                   // Projection
    "Pr&ofile",                      // Profile
    "D&ocument",                     // Document
    "&Drawing data",                 // DrawingData
    "Modifications - &Info",         // ModificationsInfo
    "Modifications - &Printout",     // ModificationsPrintout
    "Modification - &New",           // ModificationNew
    "&Edit previous modification",   // EditPreviousModification
    "&Delete previous modification", // DeletePreviousModification
    "Document &Setup",               // DocumentSetup
    "&Help",                         // Help
    "&Auxiliary images",             // AuxiliaryImages
    "&Error messages",               // ErrorMessages
    "&TELMORA Homepage",             // Homepage
    "&E-Mail to TELMORA",            // EMailMaker
    "&Safety",                       // Safety
    "&Printout",                     // Printout
    "&Language",                     // Language
    "&Dimensions",                   // Dimensions
    "&Animation",                    // Animation
    "&Table",                        // Table
    "E-Manual",                      // EManual
};

// French
const char* const General3[48] = {
    "Menu",                  // Menu
    "&Fichier",              // File
    "&Nouveau...",           // New
    "&Ouvrir...",            // Open
    "&Enregistrer...",       // Save
    "Enregistrer &sous...",  // SaveAs
    "&R\xE9initialiser",     // Reset
    "&Param\xE8tres",        // Settings
    "&Quitter",              // Exit
    "&Imprimer...",          // Print
    "&Copier",               // Copy
    "C&oller",               // Paste
    "&Tout s\xE9lectionner", // SelectAll
    "&Edition",              // Edit
    "Te&xte",                // Text
    "Rapide",                // Quick
    "&Mat\xE9riau",          // Material
    "A&pplication",          // Application
    "&Pr\xE9"
    "dimensionnement",       // PreDimensioning
    "M\xE9thode de &calcul", // CalculationMethod
    "&Affichage",            // View
    "&Standard",             // Standard
    "&Base de donn\xE9"
    "es",                     // Database
    "&CAO",                   // CAD
    "Dessin de &fabrication", // ProductionDrawing
    "&Dessin",                // Drawing
    "P&rojection",            // Projection
    "&Coupe",                 // Profile
    "D&ocument",              // Document
    "Donn\xE9"
    "es du &dessin",                          // DrawingData
    "Modifications - &Info",                  // ModificationsInfo
    "Modifications - &Impression",            // ModificationsPrintout
    "Modification - &Nouvelle",               // ModificationNew
    "&Editer la derni\xE8re modification",    // EditPreviousModification
    "&Supprimer la derni\xE8re modification", // DeletePreviousModification
    "&Configuration des documents",           // DocumentSetup
    "&Aide",                                  // Help
    "Images &auxiliaires",                    // AuxiliaryImages
    "Messages d'&erreur",                     // ErrorMessages
    "Page d'accueil &TELMORA",                // Homepage
    "&E-mail \xE0 TELMORA",                   // EMailMaker
    "&S\xE9"
    "curit\xE9",              // Safety
    "&Impression",            // Printout
    "&Language",              // Language
    "&Dimensions",            // Dimensions
    "&Animation",             // Animation
    "&Tableau",               // Table
    "Manuel \xE9lectronique", // EManual
};

// Italian
const char* const General4[48] = {
    "Menu",                      // Menu
    "&File",                     // File
    "&Nuovo...",                 // New
    "&Apri...",                  // Open
    "&Salva...",                 // Save
    "Salva &con nome...",        // SaveAs
    "&Ripristina",               // Reset
    "&Impostazioni",             // Settings
    "&Esci",                     // Exit
    "S&tampa...",                // Print
    "&Copia",                    // Copy
    "&Incolla",                  // Paste
    "Seleziona &tutto",          // SelectAll
    "&Modifica",                 // Edit
    "Te&sto",                    // Text
    "Rapido",                    // Quick
    "&Materiale",                // Material
    "A&pplicazione",             // Application
    "&Predimensionamento",       // PreDimensioning
    "Metodo di &calcolo",        // CalculationMethod
    "&Visualizza",               // View
    "&Standard",                 // Standard
    "&Database",                 // Database
    "&CAD",                      // CAD
    "Disegno di &produzione",    // ProductionDrawing
    "&Disegno",                  // Drawing
    "P&roiezione",               // Projection
    "&Sezione",                  // Profile
    "D&ocumento",                // Document
    "&Dati del disegno",         // DrawingData
    "Modifiche - &Info",         // ModificationsInfo
    "Modifiche - &Stampa",       // ModificationsPrintout
    "Modifica - &Nuova",         // ModificationNew
    "&Modifica ultima modifica", // EditPreviousModification
    "&Elimina ultima modifica",  // DeletePreviousModification
    "&Impostazione documenti",   // DocumentSetup
    "&Aiuto",                    // Help
    "&Immagini ausiliarie",      // AuxiliaryImages
    "Messaggi di &errore",       // ErrorMessages
    "Homepage &TELMORA",         // Homepage
    "&E-mail a TELMORA",         // EMailMaker
    "&Sicurezza",                // Safety
    "&Stampa",                   // Printout
    "&Lingua",                   // Language
    "&Dimensioni",               // Dimensions
    "&Animazione",               // Animation
    "&Tabella",                  // Table
    "Manuale elettronico",       // EManual
};

// Swedish
const char* const General5[48] = {
    "Meny",                         // Menu
    "&Arkiv",                       // File
    "&Ny...",                       // New
    "&\xD6ppna...",                 // Open
    "&Spara...",                    // Save
    "Spara &som...",                // SaveAs
    "&\xC5terst\xE4ll",             // Reset
    "&Inst\xE4llningar",            // Settings
    "&Avsluta",                     // Exit
    "Skriv &ut...",                 // Print
    nullptr,                        // Copy
    nullptr,                        // Paste
    "Markera &allt",                // SelectAll
    "&Redigera",                    // Edit
    "Te&xt",                        // Text
    "Snabb",                        // Quick
    "&Material",                    // Material
    "&Till\xE4mpning",              // Application
    "&F\xF6rber\xE4kning",          // PreDimensioning
    "&Ber\xE4kningsmetod",          // CalculationMethod
    "&Visa",                        // View
    "&Standard",                    // Standard
    "&Databas",                     // Database
    "&CAD",                         // CAD
    "&Tillverkningsritning",        // ProductionDrawing
    "&Ritning",                     // Drawing
    "&Projektion",                  // Projection
    "&Snitt",                       // Profile
    "D&okument",                    // Document
    "&Ritningsdata",                // DrawingData
    "\xC4ndringar - &Info",         // ModificationsInfo
    "\xC4ndringar - &Utskrift",     // ModificationsPrintout
    "\xC4ndring - &Ny",             // ModificationNew
    "&Redigera senaste \xE4ndring", // EditPreviousModification
    "&Ta bort senaste \xE4ndring",  // DeletePreviousModification
    "&Dokumentinst\xE4llning",      // DocumentSetup
    "&Hj\xE4lp",                    // Help
    "&Hj\xE4lpbilder",              // AuxiliaryImages
    "&Felmeddelanden",              // ErrorMessages
    "&TELMORA hemsida",             // Homepage
    "&E-post till TELMORA",         // EMailMaker
    "&S\xE4kerhet",                 // Safety
    "&Utskrift",                    // Printout
    "&Spr\xE5k",                    // Language
    "&Dimensioner",                 // Dimensions
    "&Animering",                   // Animation
    "&Tabell",                      // Table
    "E-handbok",                    // EManual
};

// Portuguese
const char* const General6[48] = {
    "Menu",            // Menu
    "&Arquivo",        // File
    "&Novo...",        // New
    "&Abrir...",       // Open
    "&Salvar...",      // Save
    "Salvar &como...", // SaveAs
    "&Restaurar",      // Reset
    "&Configura\xE7\xF5"
    "es",                         // Settings
    "S&aida",                     // Exit
    "&Imprimir...",               // Print
    "&Copiar",                    // Copy
    "Co&lar",                     // Paste
    "Selecionar &tudo",           // SelectAll
    "&Editar",                    // Edit
    "Te&xto",                     // Text
    "R\xE1pido",                  // Quick
    "&Material",                  // Material
    "A&plica\xE7\xE3o",           // Application
    "&Pr\xE9-dimensionamento",    // PreDimensioning
    "M\xE9todo de &c\xE1lculo",   // CalculationMethod
    "&Visualizar",                // View
    "&Padr\xE3o",                 // Standard
    "&Banco de dados",            // Database
    "&CAD",                       // CAD
    "Desenho de &produ\xE7\xE3o", // ProductionDrawing
    "&Desenho",                   // Drawing
    "P&roje\xE7\xE3o",            // Projection
    "&Corte",                     // Profile
    "D&ocumento",                 // Document
    "&Dados do desenho",          // DrawingData
    "Modifica\xE7\xF5"
    "es - &Info", // ModificationsInfo
    "Modifica\xE7\xF5"
    "es - &Impress\xE3o",                   // ModificationsPrintout
    "Modifica\xE7\xE3o - &Nova",            // ModificationNew
    "&Editar \xFAltima modifica\xE7\xE3o",  // EditPreviousModification
    "E&xcluir \xFAltima modifica\xE7\xE3o", // DeletePreviousModification
    "&Configura\xE7\xE3o de documentos",    // DocumentSetup
    "A&juda",                               // Help
    "Imagens &auxiliares",                  // AuxiliaryImages
    "Mensagens de &erro",                   // ErrorMessages
    "P\xE1gina &TELMORA",                   // Homepage
    "&E-mail para TELMORA",                 // EMailMaker
    "&Seguran\xE7"
    "a",             // Safety
    "&Impress\xE3o", // Printout
    "&Language",     // Language
    "&Dimens\xF5"
    "es",                   // Dimensions
    "&Anima\xE7\xE3o",      // Animation
    "&Tabela",              // Table
    "Manual eletr\xF4nico", // EManual
};

// Romanian
const char* const General7[48] = {
    "Meniu",                       // Menu
    "&Fisier",                     // File
    "&Nou...",                     // New
    "&Deschide...",                // Open
    "&Salveaza...",                // Save
    "Salveaza &ca...",             // SaveAs
    "&Resetare",                   // Reset
    "Se&tari",                     // Settings
    "Ie&sire",                     // Exit
    "&Tipareste...",               // Print
    nullptr,                       // Copy
    nullptr,                       // Paste
    "Selecteaza &tot",             // SelectAll
    "&Editare",                    // Edit
    "Te&xt",                       // Text
    "Rapid",                       // Quick
    "&Material",                   // Material
    "A&plicatie",                  // Application
    "&Predimensionare",            // PreDimensioning
    "Metoda de &calcul",           // CalculationMethod
    "&Vizualizare",                // View
    "&Standard",                   // Standard
    "&Baza de date",               // Database
    "&CAD",                        // CAD
    "Desen de &executie",          // ProductionDrawing
    "&Desen",                      // Drawing
    "P&roiectie",                  // Projection
    "&Sectiune",                   // Profile
    "D&ocument",                   // Document
    "&Date desen",                 // DrawingData
    "Modificari - &Info",          // ModificationsInfo
    "Modificari - &Tiparire",      // ModificationsPrintout
    "Modificare - &Noua",          // ModificationNew
    "&Editeaza ultima modificare", // EditPreviousModification
    "&Sterge ultima modificare",   // DeletePreviousModification
    "&Configurare documente",      // DocumentSetup
    "&Ajutor",                     // Help
    "Imagini &auxiliare",          // AuxiliaryImages
    "Mesaje de &eroare",           // ErrorMessages
    "Pagina &TELMORA",             // Homepage
    "&E-mail catre TELMORA",       // EMailMaker
    "&Siguranta",                  // Safety
    "&Tiparire",                   // Printout
    "&Limba",                      // Language
    "&Dimensiuni",                 // Dimensions
    "&Animatie",                   // Animation
    "&Tabel",                      // Table
    "Manual electronic",           // EManual
};

// Korean
const char* const General8[48] = {
    "\xB8\xDE\xB4\xBA",                                                          // Menu
    "\xC6\xC4\xC0\xCF(&F)",                                                      // File
    "\xBB\xF5\xB7\xCE \xB8\xB8\xB5\xE9\xB1\xE2(&N)...",                          // New
    "\xBF\xAD\xB1\xE2(&O)...",                                                   // Open
    "\xC0\xFA\xC0\xE5(&S)...",                                                   // Save
    "\xB4\xD9\xB8\xA5 \xC0\xCC\xB8\xA7\xC0\xB8\xB7\xCE \xC0\xFA\xC0\xE5(&A)...", // SaveAs
    "\xC3\xCA\xB1\xE2\xC8\xAD(&R)",                                              // Reset
    "\xBC\xB3\xC1\xA4(&T)",                                                      // Settings
    "\xC1\xBE\xB7\xE1(&X)",                                                      // Exit
    "\xC0\xCE\xBC\xE2(&P)...",                                                   // Print
    "\xBA\xB9\xBB\xE7(&C)",                                                      // Copy
    "\xBA\xD9\xBF\xA9\xB3\xD6\xB1\xE2(&P)",                                      // Paste
    "\xB8\xF0\xB5\xCE \xBC\xB1\xC5\xC3(&A)",                                     // SelectAll
    "\xC6\xED\xC1\xFD(&E)",                                                      // Edit
    "\xC5\xD8\xBD\xBA\xC6\xAE(&X)",                                              // Text
    "\xBA\xFC\xB8\xA5",                                                          // Quick
    "\xC0\xE7\xB7\xE1(&M)",                                                      // Material
    "\xC0\xFB\xBF\xEB(&P)",                                                      // Application
    "\xBB\xE7\xC0\xFC \xBC\xB3\xB0\xE8(&P)",                                     // PreDimensioning
    "\xB0\xE8\xBB\xEA \xB9\xE6\xB9\xFD(&C)",                                     // CalculationMethod
    "\xBA\xB8\xB1\xE2(&V)",                                                      // View
    "\xC7\xA5\xC1\xD8(&S)",                                                      // Standard
    "\xB5\xA5\xC0\xCC\xC5\xCD\xBA\xA3\xC0\xCC\xBD\xBA(&D)",                      // Database
    "CAD(&C)",                                                                   // CAD
    "\xC1\xA6\xC0\xDB \xB5\xB5\xB8\xE9(&P)",                                     // ProductionDrawing
    "\xB5\xB5\xB8\xE9(&D)",                                                      // Drawing
    "\xC5\xF5\xBF\xB5(&R)",                                                      // Projection
    "\xB4\xDC\xB8\xE9(&O)",                                                      // Profile
    "\xB9\xAE\xBC\xAD(&O)",                                                      // Document
    "\xB5\xB5\xB8\xE9 \xB5\xA5\xC0\xCC\xC5\xCD(&D)",                             // DrawingData
    "\xBA\xAF\xB0\xE6 - \xC1\xA4\xBA\xB8(&I)",                                   // ModificationsInfo
    "\xBA\xAF\xB0\xE6 - \xC0\xCE\xBC\xE2(&P)",                                   // ModificationsPrintout
    "\xBA\xAF\xB0\xE6 - \xBB\xF5\xB7\xCE(&N)",                                   // ModificationNew
    "\xC0\xCC\xC0\xFC \xBA\xAF\xB0\xE6 \xC6\xED\xC1\xFD(&E)",                    // EditPreviousModification
    "\xC0\xCC\xC0\xFC \xBA\xAF\xB0\xE6 \xBB\xE8\xC1\xA6(&D)",                    // DeletePreviousModification
    "\xB9\xAE\xBC\xAD \xBC\xB3\xC1\xA4(&S)",                                     // DocumentSetup
    "\xB5\xB5\xBF\xF2\xB8\xBB(&H)",                                              // Help
    "\xBA\xB8\xC1\xB6 \xB1\xD7\xB8\xB2(&A)",                                     // AuxiliaryImages
    "\xBF\xC0\xB7\xF9 \xB8\xDE\xBD\xC3\xC1\xF6(&E)",                             // ErrorMessages
    "TELMORA \xC8\xA8\xC6\xE4\xC0\xCC\xC1\xF6(&T)",                              // Homepage
    "TELMORA\xBF\xA1 \xC0\xCC\xB8\xDE\xC0\xCF(&E)",                              // EMailMaker
    "\xBE\xC8\xC0\xFC\xC0\xB2(&S)",                                              // Safety
    "\xC3\xE2\xB7\xC2(&P)",                                                      // Printout
    "\xBE\xF0\xBE\xEE(&L)",                                                      // Language
    "\xC4\xA1\xBC\xF6(&D)",                                                      // Dimensions
    "\xBE\xD6\xB4\xCF\xB8\xDE\xC0\xCC\xBC\xC7(&A)",                              // Animation
    "\xC7\xA5(&T)",                                                              // Table
    "\xC0\xFC\xC0\xDA \xB8\xC5\xB4\xBA\xBE\xF3",                                 // EManual
};

// Spanish
const char* const General9[48] = {
    "Men\xFA",                           // Menu
    "&Archivo",                          // File
    "&Nuevo...",                         // New
    "&Abrir...",                         // Open
    "&Guardar...",                       // Save
    "Guardar &como...",                  // SaveAs
    "&Restablecer",                      // Reset
    "&Configuraci\xF3n",                 // Settings
    "&Salir",                            // Exit
    "&Imprimir...",                      // Print
    "&Copiar",                           // Copy
    "&Pegar",                            // Paste
    "Seleccionar &todo",                 // SelectAll
    "&Editar",                           // Edit
    "Te&xto",                            // Text
    "R\xE1pido",                         // Quick
    "&Material",                         // Material
    "A&plicaci\xF3n",                    // Application
    "&Predimensionado",                  // PreDimensioning
    "M\xE9todo de &c\xE1lculo",          // CalculationMethod
    "&Ver",                              // View
    "&Est\xE1ndar",                      // Standard
    "&Base de datos",                    // Database
    "&CAD",                              // CAD
    "Plano de &fabricaci\xF3n",          // ProductionDrawing
    "&Plano",                            // Drawing
    "P&royecci\xF3n",                    // Projection
    "&Secci\xF3n",                       // Profile
    "D&ocumento",                        // Document
    "&Datos del plano",                  // DrawingData
    "Modificaciones - &Info",            // ModificationsInfo
    "Modificaciones - &Impresi\xF3n",    // ModificationsPrintout
    "Modificaci\xF3n - &Nueva",          // ModificationNew
    "&Editar \xFAltima modificaci\xF3n", // EditPreviousModification
    "&Borrar \xFAltima modificaci\xF3n", // DeletePreviousModification
    "&Configuraci\xF3n de documentos",   // DocumentSetup
    "A&yuda",                            // Help
    "Im\xE1genes &auxiliares",           // AuxiliaryImages
    "Mensajes de &error",                // ErrorMessages
    "P\xE1gina &TELMORA",                // Homepage
    "&E-mail a TELMORA",                 // EMailMaker
    "&Seguridad",                        // Safety
    "&Impresi\xF3n",                     // Printout
    "&Language",                         // Language
    "&Dimensiones",                      // Dimensions
    "&Animaci\xF3n",                     // Animation
    "&Tabla",                            // Table
    "Manual electr\xF3nico",             // EManual
};

// Chinese
const char* const General12[48] = {
    "\xB2\xCB\xB5\xA5",                                     // Menu
    "\xCE\xC4\xBC\xFE(&F)",                                 // File
    "\xD0\xC2\xBD\xA8(&N)...",                              // New
    "\xB4\xF2\xBF\xAA(&O)...",                              // Open
    "\xB1\xA3\xB4\xE6(&S)...",                              // Save
    "\xC1\xED\xB4\xE6\xCE\xAA(&A)...",                      // SaveAs
    "\xD6\xD8\xD6\xC3(&R)",                                 // Reset
    "\xC9\xE8\xD6\xC3(&T)",                                 // Settings
    "\xCD\xCB\xB3\xF6(&X)",                                 // Exit
    "\xB4\xF2\xD3\xA1(&P)...",                              // Print
    "\xB8\xB4\xD6\xC6(&C)",                                 // Copy
    "\xD5\xB3\xCC\xF9(&P)",                                 // Paste
    "\xC8\xAB\xD1\xA1(&A)",                                 // SelectAll
    "\xB1\xE0\xBC\xAD(&E)",                                 // Edit
    "\xCE\xC4\xB1\xBE(&X)",                                 // Text
    "\xBF\xEC\xCB\xD9",                                     // Quick
    "\xB2\xC4\xC1\xCF(&M)",                                 // Material
    "\xD3\xA6\xD3\xC3(&P)",                                 // Application
    "\xD4\xA4\xC9\xE8\xBC\xC6(&P)",                         // PreDimensioning
    "\xBC\xC6\xCB\xE3\xB7\xBD\xB7\xA8(&C)",                 // CalculationMethod
    "\xB2\xE9\xBF\xB4(&V)",                                 // View
    "\xB1\xEA\xD7\xBC(&S)",                                 // Standard
    "\xCA\xFD\xBE\xDD\xBF\xE2(&D)",                         // Database
    "CAD(&C)",                                              // CAD
    "\xC9\xFA\xB2\xFA\xCD\xBC\xD6\xBD(&P)",                 // ProductionDrawing
    "\xCD\xBC\xD6\xBD(&D)",                                 // Drawing
    "\xCD\xB6\xD3\xB0(&R)",                                 // Projection
    "\xC6\xCA\xC3\xE6(&O)",                                 // Profile
    "\xCE\xC4\xB5\xB5(&O)",                                 // Document
    "\xCD\xBC\xD6\xBD\xCA\xFD\xBE\xDD(&D)",                 // DrawingData
    "\xD0\xDE\xB8\xC4 - \xD0\xC5\xCF\xA2(&I)",              // ModificationsInfo
    "\xD0\xDE\xB8\xC4 - \xB4\xF2\xD3\xA1(&P)",              // ModificationsPrintout
    "\xD0\xDE\xB8\xC4 - \xD0\xC2\xBD\xA8(&N)",              // ModificationNew
    "\xB1\xE0\xBC\xAD\xC9\xCF\xB4\xCE\xD0\xDE\xB8\xC4(&E)", // EditPreviousModification
    "\xC9\xBE\xB3\xFD\xC9\xCF\xB4\xCE\xD0\xDE\xB8\xC4(&D)", // DeletePreviousModification
    "\xCE\xC4\xB5\xB5\xC9\xE8\xD6\xC3(&S)",                 // DocumentSetup
    "\xB0\xEF\xD6\xFA(&H)",                                 // Help
    "\xB8\xA8\xD6\xFA\xCD\xBC\xC6\xAC(&A)",                 // AuxiliaryImages
    "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2(&E)",                 // ErrorMessages
    "TELMORA \xD6\xF7\xD2\xB3(&T)",                         // Homepage
    "\xB7\xA2\xD3\xCA\xBC\xFE\xB8\xF8 TELMORA(&E)",         // EMailMaker
    "\xB0\xB2\xC8\xAB\xCF\xB5\xCA\xFD(&S)",                 // Safety
    "\xB4\xF2\xD3\xA1\xCA\xE4\xB3\xF6(&P)",                 // Printout
    "\xD3\xEF\xD1\xD4(&L)",                                 // Language
    "\xB3\xDF\xB4\xE7(&D)",                                 // Dimensions
    "\xB6\xAF\xBB\xAD(&A)",                                 // Animation
    "\xB1\xED\xB8\xF1(&T)",                                 // Table
    "\xB5\xE7\xD7\xD3\xCA\xD6\xB2\xE1",                     // EManual
};

// German
const char* const Program1[18] = {
    "&Verzahnungswerkzeug",        // CuttingTool
    "Zahn&eingriff",               // ToothContact
    "Zahn&eingriff",               // ToothContact2
    "&Festigkeit",                 // Strength
    "&Geometrie",                  // Geometry
    "&Lastkollektiv",              // LoadSpectrum
    "&Lebensdauer",                // LifeExpectation
    "&Messen",                     // Measurement
    "&Planetengetriebe",           // PlanetaryGear
    "&Steg",                       // Carrier
    "&Qualit\xE4t",                // Quality
    "&Werkstattblatt",             // ProductionSheet
    "&Zahn",                       // Tooth
    "Abmessungen &und Festigkeit", // DimensionsAndStrength
    "&Antrieb/Abtrieb",            // InputOutput
    "&Zahnr\xE4"
    "der",                   // GearWheels
    "&W\xE4lzlager",         // RollerBearing
    "Spezifisches &Gleiten", // SpecificSliding
};

// English
const char* const Program2[18] = {
    "C&utting Tool",            // CuttingTool
    "Tooth &Contact",           // ToothContact
    "Tooth &contact",           // ToothContact2
    "S&trength",                // Strength
    "&Geometry",                // Geometry
    "&Load Spectrum",           // LoadSpectrum
    "&Life Expectation",        // LifeExpectation
    "Me&asurement",             // Measurement
    "&Planetary Gear",          // PlanetaryGear
    "&Carrier",                 // Carrier
    "&Quality",                 // Quality
    "&Production Sheet",        // ProductionSheet
    "&Tooth",                   // Tooth
    "Dimensions &and Strength", // DimensionsAndStrength
    "&Input/Output",            // InputOutput
    "&Gear wheels",             // GearWheels
    "&Roller bearing",          // RollerBearing
    "Specific &Sliding",        // SpecificSliding
};

// Portuguese
const char* const Program6[18] = {
    "&Ferramenta de corte",      // CuttingTool
    "&Engrenamento",             // ToothContact
    "&engrenamento",             // ToothContact2
    "&Resist\xEAncia",           // Strength
    "&Geometria",                // Geometry
    "Espectro de &carga",        // LoadSpectrum
    "&Vida \xFAtil",             // LifeExpectation
    "&Medi\xE7\xE3o",            // Measurement
    "&Engrenagem planet\xE1ria", // PlanetaryGear
    "&Porta-sat\xE9lites",       // Carrier
    "&Qualidade",                // Quality
    "&Folha de produ\xE7\xE3o",  // ProductionSheet
    "&Dente",                    // Tooth
    "Dimens\xF5"
    "es &e resist\xEAncia", // DimensionsAndStrength
    "&Entrada/Sa\xED"
    "da",           // InputOutput
    "&Engrenagens", // GearWheels
    "&Rolamento",   // RollerBearing
    "&Deslizamento espec\xED"
    "fico", // SpecificSliding
};

// Romanian
const char* const Program7[18] = {
    "Scula de &danturare",       // CuttingTool
    "&Angrenare",                // ToothContact
    "&angrenare",                // ToothContact2
    "&Rezistenta",               // Strength
    "&Geometrie",                // Geometry
    "Spectru de &sarcina",       // LoadSpectrum
    "&Durata de viata",          // LifeExpectation
    "&Masurare",                 // Measurement
    "&Reductor planetar",        // PlanetaryGear
    "&Port-satelit",             // Carrier
    "&Calitate",                 // Quality
    "&Fisa de executie",         // ProductionSheet
    "&Dinte",                    // Tooth
    "Dimensiuni &si rezistenta", // DimensionsAndStrength
    "&Intrare/Iesire",           // InputOutput
    "&Roti dintate",             // GearWheels
    "&Rulment",                  // RollerBearing
    "&Alunecare specifica",      // SpecificSliding
};

// Korean
const char* const Program8[18] = {
    "\xC0\xFD\xBB\xE8 \xB0\xF8\xB1\xB8(&U)",                 // CuttingTool
    "\xC4\xA1 \xC1\xA2\xC3\xCB(&C)",                         // ToothContact
    "\xC4\xA1 \xC1\xA2\xC3\xCB(&C)",                         // ToothContact2
    "\xB0\xAD\xB5\xB5(&T)",                                  // Strength
    "\xC7\xFC\xBB\xF3(&G)",                                  // Geometry
    "\xC7\xCF\xC1\xDF \xBD\xBA\xC6\xE5\xC6\xAE\xB7\xB3(&L)", // LoadSpectrum
    "\xBC\xF6\xB8\xED(&L)",                                  // LifeExpectation
    "\xC3\xF8\xC1\xA4(&A)",                                  // Measurement
    "\xC0\xAF\xBC\xBA \xB1\xE2\xBE\xEE(&P)",                 // PlanetaryGear
    "\xC4\xB3\xB8\xAE\xBE\xEE(&C)",                          // Carrier
    "\xC7\xB0\xC1\xFA(&Q)",                                  // Quality
    "\xC0\xDB\xBE\xF7 \xBD\xC3\xC6\xAE(&P)",                 // ProductionSheet
    "\xC4\xA1\xC7\xFC(&T)",                                  // Tooth
    "\xC4\xA1\xBC\xF6 \xB9\xD7 \xB0\xAD\xB5\xB5(&A)",        // DimensionsAndStrength
    "\xC0\xD4\xB7\xC2/\xC3\xE2\xB7\xC2(&I)",                 // InputOutput
    "\xB1\xE2\xBE\xEE(&G)",                                  // GearWheels
    "\xB1\xB8\xB8\xA7 \xBA\xA3\xBE\xEE\xB8\xB5(&R)",         // RollerBearing
    "\xBA\xF1 \xB9\xCC\xB2\xF4\xB7\xB3(&S)",                 // SpecificSliding
};

// Chinese
const char* const Program12[18] = {
    "\xB5\xB6\xBE\xDF(&U)",                         // CuttingTool
    "\xC4\xF6\xBA\xCF(&C)",                         // ToothContact
    "\xC4\xF6\xBA\xCF(&C)",                         // ToothContact2
    "\xC7\xBF\xB6\xC8(&T)",                         // Strength
    "\xBC\xB8\xBA\xCE(&G)",                         // Geometry
    "\xD4\xD8\xBA\xC9\xC6\xD7(&L)",                 // LoadSpectrum
    "\xCA\xD9\xC3\xFC(&L)",                         // LifeExpectation
    "\xB2\xE2\xC1\xBF(&A)",                         // Measurement
    "\xD0\xD0\xD0\xC7\xB3\xDD\xC2\xD6(&P)",         // PlanetaryGear
    "\xD0\xD0\xD0\xC7\xBC\xDC(&C)",                 // Carrier
    "\xBE\xAB\xB6\xC8(&Q)",                         // Quality
    "\xB9\xA4\xD2\xD5\xBF\xA8(&P)",                 // ProductionSheet
    "\xB3\xDD(&T)",                                 // Tooth
    "\xB3\xDF\xB4\xE7\xBA\xCD\xC7\xBF\xB6\xC8(&A)", // DimensionsAndStrength
    "\xCA\xE4\xC8\xEB/\xCA\xE4\xB3\xF6(&I)",        // InputOutput
    "\xB3\xDD\xC2\xD6(&G)",                         // GearWheels
    "\xB9\xF6\xB6\xAF\xD6\xE1\xB3\xD0(&R)",         // RollerBearing
    "\xBB\xAC\xB6\xAF\xC2\xCA(&S)",                 // SpecificSliding
};

} // namespace menutextblocks
