; A form with one field of each single-line kind, for trying the parameter
; window: czytelnia-cli form render tests/data/forms/przyklad.frm --png p.png
BEGIN
LABEL 'Dzieñ' ON 10, 12
DATE 'DZIEN' ON 110, 10, 100
MENU 'DZIS|Dzisiaj||Inny dzieñ|WCZORAJ|Wczoraj|PRZEDWCZORAJ|Przedwczoraj|||' LABEL 'Wybierz' ON 230, 12
LABEL 'Miesi¹c' ON 10, 42
SPIN 'MIESIAC' MASK 2 LIMIT 1, 12 ON 110, 40, 60
LABEL 'Kwota' ON 10, 72
NUMBER 'KWOTA' MASK SIGNED 8, 2 ON 110, 70, 100
LABEL 'Rodzaj' ON 10, 102
COMBO 'RODZAJ' MASK 'W|Wszyscy|S|Studenci|U|Uczniowie|' ON 110, 100, 150
LABEL 'Has³o' ON 10, 132
DICTIONARY 'HASLO' ON 110, 130, 200
LABEL 'Nazwisko' ON 10, 162
FIELD 'NAZWISKO' LIMIT 40 ON 110, 160, 200
CHECK 'SZCZEGOLY' MASK 'Ze szczegó³ami' ON 10, 190, 200
END
