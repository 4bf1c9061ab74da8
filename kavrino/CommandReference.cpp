#include "kavrino/CommandReference.h"

#include <algorithm>

namespace kavrino {

namespace {

// Written as the program shows it: some lines keep their blanks and their typing errors.
std::vector<CommandHelp> makeReference()
{
    return {
        { "QW", "Kavrino", "Brak", { "Wyświetla informacje o programie." } },
        { "dość", "dość", "brak", { "Zamyka program." } },
        { "nowy folder", "Nowy folder", "Ścieżka",
            { "Tworzy nowy folder. Potrzebuje jednego parametru",
                "ścieżki.np. C:\\gry tworzy folder o nazwie gry na dysku c.",
                "np. C:\\Gry\\Asteroid tworzy folder o nazwie asteroid w ", "w katalogu gry na dysku c." } },
        { "usuń folder", "Usuń folder", "Ścieżka",
            { "Usuwa katalog.Parametrem jest ścieżka katalogu.",
                "Parametr jest identyczny jak w przypadku procedury:", "nowy folder." } },
        { "poz myszy", "Pozycja myszy", "Brak",
            { "Wyświetla pozycje myszy na ekranie kolejno X Y.",
                "UWAGA! Funkcja ta działa tylko wtedy kiedy mysz znajduje się", "nad ekranem graficznym!" } },
        { "czyśćtekst", "Czyść tekst", "Brak",
            { "Czyści ekran tekstowy.", "Zobacz również procedurę czyśćtekstczasowo!" } },
        { "czyśćtekstczasowo", "ct czasowo", "   czas",
            { "Za pomocą tej procedury można uruchomić timer który",
                "w określonych odstępach czasu będzie czyścił ekran tekstowy!", "Parameterm jest odstęp czasu.",
                "1000 = 1 sekunda    2000 = 2 sekundy 100000 = 100 sekund itd.", "Jest to bardzo przydatna funkcja.",
                "Aby wyłączyć funkcję czyszczenia czasowego wystarczy wpisać",
                "jeszcze raz wpisać czyśćtekstczasowo i na pierwsze pytanie", "odpowiedzieć nie." } },
        { "wychodz", "Wychodz", "Brak",
            { "Zamyka system Windows.", "UWAGA!!! Ta funkcja na niektórych systemach działa różnie!",
                "Autor nie ponosi odpowiedzialności za skutki spowodowane z", "użycia tej procedury!" } },
        { "data", "Pokaż datę", "Brak", { "Wyświetla datę." } },
        { "czas", "Pokaż czas", "Brak", { "Wyświetla czas." } },
        { "sprawdzfolder", "Sprawdz folder", "ścieżka",
            { "Sprawdza czy istnieje folder.Parametrem jest ścieżka.", "np. C:\\Gry" } },
        { "wideo", "Graj wideo", "Plik",
            { "Odgrywa plik *.avi. Parametrem jest ścieżka pliku np. C:\\pliki\\start.avi" } },
        { "grajplik", "Graj plik", "plik",
            { "Odgrywa plik dzwiękowy *.wav. Parametrem jest ścieżka do pliku.",
                "np. C:\\Windows\\Media\\start.wav" } },
        { "spis", "Spis procedur", "Brak", { "Wyświetla Spis procedur." } },
        { "kursor", "Ustal kursor", "Kursor",
            { "Ustala kursor. Paramtrem jest liczba.", "Każda liczba reprezentuje inny kursor.",
                "np. procedura kursor z parametrem 1 ustala podstawowy kursor.",
                "Parametrem jest wartość od 1 do 22" } },
        { "tło", "Ustal tło", "Kolor", { "Za pomocą tej funkcji możemy ustalić kolor tła." } },
        { "ładek", "Ładuj ekran", "plik", { "Ta funcja umożliwia załadowanie bitmapy jako tła." } },
        { "pozx", "Pozycja X", "Brak", { "Wyświetla pozycję X żółwia." } },
        { "pozy", "Pozycja Y", "Brak", { "Wyświetla pozycję Y żółwia." } },
        { "nowexy", "Nowe x y", "X Y", { "Ustala nowe współrzędne żółwia. Parametrem są współrzędne X i Y." } },
        { "cs", "Czyść", "Brak", { "Czyści ekran graficzny. Ustawia żółwia w pozycji 0 0." } },
        { "np", "Naprzód", "kroki", { "Żółw idzie naprzód. Parametrem są kroki." } },
        { "lw", "Lewo", "Kąt", { "Żółw obraza się w lewo. Parametrem jest kąt obracania." } },
        { "pw", "Prawo", "Kąt", { "Żółw obraza się w prawo. Parametrem jest kąt obracania." } },
        { "kąt", "Pokaż kąt", "Brak", { "Wyświetla kąt żółwia." } },
        { "sż", "Schowaj żółwia", "Brak", { "Chowa zółwia." } },
        { "pż", "Pokaż żółwia", "Brak", { "Pokazuje żółwia" } },
        { "pod", "Podnieś pisak", "Brak", { "Podnosi pisak." } },
        { "opu", "Opuść pisak", "Brak", { "Opuszcza pisak." } },
        { "pisz", "Pisz", "Tekst", { "Wypisuje dowolny tekst na ekranie tekstowym." } },
        { "pisztekst", "Pisz tekst", "Tekst", { "Wypisuje dowolny tekst na ekranie graficznym." } },
        { "uptż", "Ustal czcionkę", "Czcionka",
            { "Ustala czcionkę, jej rozmiar, kolor itp.", "Ta czcionka będzie używana w funkcji pisztekst." } },
        { "zmieńżółwia", "Zmień żółwia", "Plik", { "Zmienia standardową postać zółwia na wybrany plik *.bmp." } },
        { "skieruj", "Skieruj na kąt", "Kąt", { "Ustala kąt żółwia." } },
        { "drukuj", "Drukuj", "Brak", { "Drukuje ekran graficzny." } },
        { "nowexymysz", "Nowexy mysz", "Brak",
            { "Przemieszcza żółwia na pozycję myszy.", "Mysz powinna się znajdować nad ekranem graficznym!" } },
        // Not offered in the pick list: the editor is found only by typing its word.
        { "tekst", "Edytor tekstów", "Brak", { "Uruchamia prosty edytor tekstów." } },
    };
}

constexpr std::size_t typedOnlyEntries = 1;

} // namespace

const std::vector<CommandHelp>& commandReference()
{
    static const std::vector<CommandHelp> reference = makeReference();
    return reference;
}

QStringList pickListWords()
{
    const std::vector<CommandHelp>& reference = commandReference();
    QStringList words;
    for (std::size_t i = 0; i + typedOnlyEntries < reference.size(); ++i)
        words << reference[i].word;
    return words;
}

const CommandHelp* findCommandHelp(const QString& text)
{
    const std::vector<CommandHelp>& reference = commandReference();
    const auto found = std::find_if(
        reference.begin(), reference.end(), [&text](const CommandHelp& entry) { return entry.word == text; });
    return found == reference.end() ? nullptr : &*found;
}

} // namespace kavrino
