<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="sv_SE">
<context>
    <name>FindDialog</name>
    <message>
        <source>Sök</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Sök &amp;efter:</source>
        <translation>Find &amp;what:</translation>
    </message>
    <message>
        <source>Sök &amp;nästa</source>
        <translation>Find &amp;next</translation>
    </message>
    <message>
        <source>Bara &amp;hela ord</source>
        <translation>Match &amp;whole word only</translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Matcha gemener/VERSALER</source>
        <translation>&amp;Match case</translation>
    </message>
    <message>
        <source>&amp;Hjälp</source>
        <translation>&amp;Help</translation>
    </message>
</context>
<context>
    <name>GuiHost</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Ja</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Nej</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>Stavbashjälp</source>
        <translation>Stavbas help</translation>
    </message>
    <message>
        <source>&amp;Innehåll</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>&amp;Bakåt</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>&amp;Framåt</source>
        <translation>&amp;Forward</translation>
    </message>
    <message>
        <source>&amp;Stäng</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>TAvslutaStavbas</name>
    <message>
        <source>Avsluta Stavbas</source>
        <translation>Exit Stavbas</translation>
    </message>
    <message>
        <source>Vill Du avsluta?</source>
        <translation>Do you want to exit?</translation>
    </message>
    <message>
        <source>Spara texten?</source>
        <translation>Save the text?</translation>
    </message>
    <message>
        <source>Välj om visad text ska sparas</source>
        <translation>Choose whether the text shown is to be saved</translation>
    </message>
    <message>
        <source>&amp;Spara</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Spara &amp;inte</source>
        <translation>Do&amp;n&apos;t save</translation>
    </message>
    <message>
        <source>Spara inställningar?</source>
        <translation>Save settings?</translation>
    </message>
    <message>
        <source>Spara i&amp;nställningar</source>
        <translation>Save se&amp;ttings</translation>
    </message>
    <message>
        <source>Sparar inställningar gjorda i Inställningsmenyn</source>
        <translation>Saves the settings made in the Settings menu</translation>
    </message>
    <message>
        <source>Spara &amp;allt</source>
        <translation>Save &amp;all</translation>
    </message>
    <message>
        <source>Sparar inställningar och urvalsvillkor</source>
        <translation>Saves settings and selection conditions</translation>
    </message>
    <message>
        <source>&amp;Behåll startvärde</source>
        <translation>&amp;Keep initial values</translation>
    </message>
    <message>
        <source>Behåller befintliga inställningar</source>
        <translation>Keeps the existing settings</translation>
    </message>
    <message>
        <source>&amp;Ja</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Nej</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Stavbas för Windows</source>
        <translation>Stavbas for Windows</translation>
    </message>
    <message>
        <source>Textfönster</source>
        <translation>Text window</translation>
    </message>
    <message>
        <source>&amp;Inskrift</source>
        <translation>&amp;Inscription</translation>
    </message>
    <message>
        <source>Meny för att välja ut inskrifter</source>
        <translation>Menu for choosing inscriptions</translation>
    </message>
    <message>
        <source>&amp;Redigera</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Meny för att redigera och söka i texten i aktivt fönster</source>
        <translation>Menu for editing and searching the text of the active window</translation>
    </message>
    <message>
        <source>Sök i &amp;text</source>
        <translation>Search in &amp;text</translation>
    </message>
    <message>
        <source>Meny för att ange villkor för sökning i texter</source>
        <translation>Menu for stating conditions for searching in texts</translation>
    </message>
    <message>
        <source>&amp;Ny sökning i text</source>
        <translation>&amp;New search in text</translation>
    </message>
    <message>
        <source>&amp;Egennamn</source>
        <translation>&amp;Proper names</translation>
    </message>
    <message>
        <source>&amp;Ytterligare sökning i text</source>
        <translation>&amp;Further search in text</translation>
    </message>
    <message>
        <source>&amp;Urval</source>
        <translation>Se&amp;lection</translation>
    </message>
    <message>
        <source>Meny för urval av landskap och villkor</source>
        <translation>Menu for selecting provinces and conditions</translation>
    </message>
    <message>
        <source>&amp;Nytt inskriftsvillkor</source>
        <translation>&amp;New inscription condition</translation>
    </message>
    <message>
        <source>&amp;Fler inskriftsvillkor</source>
        <translation>&amp;More inscription conditions</translation>
    </message>
    <message>
        <source>&amp;Format</source>
        <translation>F&amp;ormat</translation>
    </message>
    <message>
        <source>Meny för format</source>
        <translation>Menu for formats</translation>
    </message>
    <message>
        <source>&amp;Spara</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Meny för att spara till fil</source>
        <translation>Menu for saving to file</translation>
    </message>
    <message>
        <source>I&amp;nställningar</source>
        <translation>Setti&amp;ngs</translation>
    </message>
    <message>
        <source>Meny för inställningar</source>
        <translation>Menu for settings</translation>
    </message>
    <message>
        <source>&amp;Diverse</source>
        <translation>&amp;Miscellaneous</translation>
    </message>
    <message>
        <source>Diverse kommandon</source>
        <translation>Miscellaneous commands</translation>
    </message>
    <message>
        <source>&amp;Webblänkar</source>
        <translation>&amp;Web links</translation>
    </message>
    <message>
        <source>Visa webblänkar</source>
        <translation>Show web links</translation>
    </message>
    <message>
        <source>&amp;Byt språk</source>
        <translation>&amp;Change language</translation>
    </message>
    <message>
        <source>R&amp;ensa</source>
        <translation>&amp;Clear</translation>
    </message>
    <message>
        <source>Rensa i fönster och bland villkor</source>
        <translation>Clear the window and the conditions</translation>
    </message>
    <message>
        <source>&amp;Hjälp</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Hjälpmeny</source>
        <translation>Help menu</translation>
    </message>
    <message>
        <source>Verktygsfält</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Urval</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>&amp;Signum</source>
        <translation>&amp;Signum</translation>
    </message>
    <message>
        <source>Välj en enstaka inskrift</source>
        <translation>Choose a single inscription</translation>
    </message>
    <message>
        <source>A&amp;lla</source>
        <translation>A&amp;ll</translation>
    </message>
    <message>
        <source>Visa alla inskrifter (för aktuellt urval/villkor)</source>
        <translation>Show all inscriptions (for the current selection/conditions)</translation>
    </message>
    <message>
        <source>Alla frå&amp;n</source>
        <translation>All &amp;from</translation>
    </message>
    <message>
        <source>Visa alla inskrifter från ett visst signum (för ett visst urval/villkor)</source>
        <translation>Show all inscriptions from a given signum (for a given selection/conditions)</translation>
    </message>
    <message>
        <source>Läs urvalsf&amp;il</source>
        <translation>Read selection f&amp;ile</translation>
    </message>
    <message>
        <source>Läs in data från urvalsfil</source>
        <translation>Read data from a selection file</translation>
    </message>
    <message>
        <source>Skriv &amp;ut</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Skriv ut texten på skrivare</source>
        <translation>Print the text on a printer</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>&amp;Fortsätt</source>
        <translation>C&amp;ontinue</translation>
    </message>
    <message>
        <source>Fortsätt efter &quot;avbryt&quot; från aktuell inskrift</source>
        <translation>Continue after &quot;abort&quot; from the current inscription</translation>
    </message>
    <message>
        <source>&amp;Avsluta</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Avslutar Stavbas</source>
        <translation>Exits Stavbas</translation>
    </message>
    <message>
        <source>&amp;Klipp ut</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>Tar bort markerad text och lägger det i Urklipp</source>
        <translation>Removes the selected text and puts it on the clipboard</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>K&amp;opiera</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Kopierar markerad text till Urklipp</source>
        <translation>Copies the selected text to the clipboard</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Radera allt</source>
        <translation>&amp;Delete all</translation>
    </message>
    <message>
        <source>Tar bort all text det aktiva fönstret</source>
        <translation>Removes all text of the active window</translation>
    </message>
    <message>
        <source>&amp;Markera allt</source>
        <translation>Select &amp;all</translation>
    </message>
    <message>
        <source>Markerar all text i det aktiva fönstret</source>
        <translation>Selects all text in the active window</translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation>Ctrl+A</translation>
    </message>
    <message>
        <source>&amp;Sök...</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <source>Sök text i aktivt fönster</source>
        <translation>Find text in the active window</translation>
    </message>
    <message>
        <source>Ctrl+B</source>
        <translation>Ctrl+B</translation>
    </message>
    <message>
        <source>&amp;Teckensnitt...</source>
        <translation>F&amp;ont...</translation>
    </message>
    <message>
        <source>Ändrar teckensnitt i markerad text</source>
        <translation>Changes the font of the selected text</translation>
    </message>
    <message>
        <source>&amp;Runtext (Stavbas.run)</source>
        <translation>&amp;Runic text (Stavbas.run)</translation>
    </message>
    <message>
        <source>&amp;Nationellt fornspråk (stavbas.nfs)</source>
        <translation>&amp;National old language (stavbas.nfs)</translation>
    </message>
    <message>
        <source>&amp;Fornvästnordisk text (Stavbas.fvn)</source>
        <translation>Old &amp;West Norse text (Stavbas.fvn)</translation>
    </message>
    <message>
        <source>&amp;Bara egennamn</source>
        <translation>&amp;Only proper names</translation>
    </message>
    <message>
        <source>&amp;Inga egennamn</source>
        <translation>&amp;No proper names</translation>
    </message>
    <message>
        <source>&amp;Tag bort sökvillkor i text</source>
        <translation>&amp;Remove text search conditions</translation>
    </message>
    <message>
        <source>Textsöknings&amp;kod</source>
        <translation>Word search &amp;code</translation>
    </message>
    <message>
        <source>Redigera direkt i sökningskoden för textsökning</source>
        <translation>Edit the word search code directly</translation>
    </message>
    <message>
        <source>&amp;Land(skap)</source>
        <translation>&amp;Province(s)</translation>
    </message>
    <message>
        <source>Del 3 av signum (försvunnen, nytolkad, medeltida, urnordisk)</source>
        <translation>Part 3 of signum (lost, reinterpreted, medieval, Proto-Norse)</translation>
    </message>
    <message>
        <source>Runtext (Stavbas.run)</source>
        <translation>Runic text (Stavbas.run)</translation>
    </message>
    <message>
        <source>Nationellt fornspråk (Stavbas.nfs)</source>
        <translation>National old language (Stavbas.nfs)</translation>
    </message>
    <message>
        <source>Fornvästnordisk text (Stavbas.fvn)</source>
        <translation>Old West Norse text (Stavbas.fvn)</translation>
    </message>
    <message>
        <source>Fritextsökning i informationsfilen (Stavbas.inf/Stavbas.xls)</source>
        <translation>Free-text search in the information file (Stavbas.inf/Stavbas.xls)</translation>
    </message>
    <message>
        <source>Engelsk text (Stavbas.eng)</source>
        <translation>English text (Stavbas.eng)</translation>
    </message>
    <message>
        <source>Plats</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Socken</source>
        <translation>Parish</translation>
    </message>
    <message>
        <source>Härad</source>
        <translation>Hundred</translation>
    </message>
    <message>
        <source>Kommun</source>
        <translation>Municipality</translation>
    </message>
    <message>
        <source>Placering</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Koordinater</source>
        <translation>Coordinates</translation>
    </message>
    <message>
        <source>Urspr. plats?</source>
        <translation>Original place?</translation>
    </message>
    <message>
        <source>Nuv. koord.</source>
        <translation>Present coord.</translation>
    </message>
    <message>
        <source>Sockenkod/Fornlämningsnr.</source>
        <translation>Parish code/Monument no.</translation>
    </message>
    <message>
        <source>Runtyper</source>
        <translation>Rune types</translation>
    </message>
    <message>
        <source>Korsform</source>
        <translation>Cross form</translation>
    </message>
    <message>
        <source>Period/Datering</source>
        <translation>Period/Dating</translation>
    </message>
    <message>
        <source>Stilgruppering</source>
        <translation>Style group</translation>
    </message>
    <message>
        <source>Ristare</source>
        <translation>Carver</translation>
    </message>
    <message>
        <source>Materialtyp</source>
        <translation>Material type</translation>
    </message>
    <message>
        <source>Material</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>Föremål</source>
        <translation>Object</translation>
    </message>
    <message>
        <source>Alternativt signum</source>
        <translation>Alternative signum</translation>
    </message>
    <message>
        <source>Referens</source>
        <translation>Reference</translation>
    </message>
    <message>
        <source>Bildlänk</source>
        <translation>Picture link</translation>
    </message>
    <message>
        <source>Övrigt</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>&amp;Tag bort inskriftsvillkor</source>
        <translation>&amp;Remove inscription conditions</translation>
    </message>
    <message>
        <source>&amp;Inskriftsvillkorskod</source>
        <translation>&amp;Inscription condition code</translation>
    </message>
    <message>
        <source>Redigera direkt i inskriftsvillkorskoden</source>
        <translation>Edit the inscription condition code directly</translation>
    </message>
    <message>
        <source>&amp;Textformat</source>
        <translation>&amp;Text format</translation>
    </message>
    <message>
        <source>Hela inskrifter visas. Ange vilka databasfiler och infouppgifter som ska visas </source>
        <translation>Whole inscriptions are shown. State which database files and information items are to be shown </translation>
    </message>
    <message>
        <source>&amp;Beläggformat</source>
        <translation>&amp;Attestation format</translation>
    </message>
    <message>
        <source>Eftersökta ord visas. Ange vilka databasfiler och infouppgifter som ska visas</source>
        <translation>The words searched for are shown. State which database files and information items are to be shown</translation>
    </message>
    <message>
        <source>&amp;Delat beläggformat</source>
        <translation>&amp;Split attestation format</translation>
    </message>
    <message>
        <source>Eftersökta ord visas (alternativa tolkningar redovisas separat)</source>
        <translation>The words searched for are shown (alternative readings listed separately)</translation>
    </message>
    <message>
        <source>&amp;Formatkod</source>
        <translation>&amp;Format code</translation>
    </message>
    <message>
        <source>Ange format och vilka filer som ska användas</source>
        <translation>State the format and which files are to be used</translation>
    </message>
    <message>
        <source>S&amp;kapa urvalsfil</source>
        <translation>Create selection &amp;file</translation>
    </message>
    <message>
        <source>Spara aktuellt urval till en textfil med enbart signum</source>
        <translation>Save the current selection to a text file of signums only</translation>
    </message>
    <message>
        <source>Skapa &amp;Google Earth-fil</source>
        <translation>Create &amp;Google Earth file</translation>
    </message>
    <message>
        <source>Skapa fil som kan läsas av Google Earth</source>
        <translation>Create a file that Google Earth can read</translation>
    </message>
    <message>
        <source>Sk&amp;apa Google Maps-fil</source>
        <translation>Create Google &amp;Maps file</translation>
    </message>
    <message>
        <source>Skapa fil som kan visas i Google Maps</source>
        <translation>Create a file that can be shown in Google Maps</translation>
    </message>
    <message>
        <source>Skapa GP&amp;X-fil</source>
        <translation>Create GP&amp;X file</translation>
    </message>
    <message>
        <source>Skapa fil som kan läsas av en GPS</source>
        <translation>Create a file that a GPS can read</translation>
    </message>
    <message>
        <source>Skapa &amp;CSV-fil</source>
        <translation>Create &amp;CSV file</translation>
    </message>
    <message>
        <source>Skapa CSV-fil som t.ex. kan läsas av Excel</source>
        <translation>Create a CSV file that e.g. Excel can read</translation>
    </message>
    <message>
        <source>Skapa S&amp;hape-fil</source>
        <translation>Create S&amp;hape file</translation>
    </message>
    <message>
        <source>Skapa shapefil som kan läsas av GIS-program</source>
        <translation>Create a shapefile that GIS programs can read</translation>
    </message>
    <message>
        <source>Spara texten till fil</source>
        <translation>Save the text to a file</translation>
    </message>
    <message>
        <source>Spara so&amp;m...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>Spara med nytt filnamn</source>
        <translation>Save under a new file name</translation>
    </message>
    <message>
        <source>&amp;Datafiler</source>
        <translation>&amp;Data files</translation>
    </message>
    <message>
        <source>Ange databasfiler</source>
        <translation>State the database files</translation>
    </message>
    <message>
        <source>&amp;Pauser</source>
        <translation>&amp;Pauses</translation>
    </message>
    <message>
        <source>Välj om inskrifterna ska visas med paus eller inte</source>
        <translation>Choose whether the inscriptions are shown with pauses or not</translation>
    </message>
    <message>
        <source>&amp;Kommentera</source>
        <translation>&amp;Comment</translation>
    </message>
    <message>
        <source>Kommentarer skrivs i textfiler</source>
        <translation>Comments are written into text files</translation>
    </message>
    <message>
        <source>&amp;Tabb mellan koordinater</source>
        <translation>&amp;Tab between coordinates</translation>
    </message>
    <message>
        <source>Välj om koordinaterna ska återges med tabbtecken mellan sig eller inte</source>
        <translation>Choose whether the coordinates are written with a tab character between them or not</translation>
    </message>
    <message>
        <source>&amp;Inskriftsinformation</source>
        <translation>&amp;Inscription information</translation>
    </message>
    <message>
        <source>Visa infouppgifter om senast visad inskrift</source>
        <translation>Show the information of the inscription shown last</translation>
    </message>
    <message>
        <source>F2</source>
        <translation>F2</translation>
    </message>
    <message>
        <source>&amp;Filinformation</source>
        <translation>&amp;File information</translation>
    </message>
    <message>
        <source>Visa information om filerna i databasen</source>
        <translation>Show information about the files of the database</translation>
    </message>
    <message>
        <source>F3</source>
        <translation>F3</translation>
    </message>
    <message>
        <source>&amp;Litteraturlista</source>
        <translation>&amp;Literature list</translation>
    </message>
    <message>
        <source>Visa litteraturlistan</source>
        <translation>Show the literature list</translation>
    </message>
    <message>
        <source>F4</source>
        <translation>F4</translation>
    </message>
    <message>
        <source>&amp;Engelsk översättning</source>
        <translation>&amp;English translation</translation>
    </message>
    <message>
        <source>Visa engelsk översättning</source>
        <translation>Show the English translation</translation>
    </message>
    <message>
        <source>F5</source>
        <translation>F5</translation>
    </message>
    <message>
        <source>Visa på k&amp;arta (www)</source>
        <translation>Show on m&amp;ap (www)</translation>
    </message>
    <message>
        <source>Visa placering på karta för senast visad inskrift</source>
        <translation>Show the place of the inscription shown last on a map</translation>
    </message>
    <message>
        <source>F6</source>
        <translation>F6</translation>
    </message>
    <message>
        <source>I&amp;nskriftsbibliografi</source>
        <translation>I&amp;nscription bibliography</translation>
    </message>
    <message>
        <source>Visa litteratur i Svensk runbibliografi om senast visad inskrift</source>
        <translation>Show the literature in the Swedish runic bibliography on the inscription shown last</translation>
    </message>
    <message>
        <source>F7</source>
        <translation>F7</translation>
    </message>
    <message>
        <source>&amp;Svenska</source>
        <translation>&amp;Swedish</translation>
    </message>
    <message>
        <source>Svenska</source>
        <translation>Swedish</translation>
    </message>
    <message>
        <source>&amp;Engelska</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <source>Engelska</source>
        <translation>English</translation>
    </message>
    <message>
        <source>&amp;Visa fil</source>
        <translation>&amp;View file</translation>
    </message>
    <message>
        <source>Välj fil att visa</source>
        <translation>Choose a file to view</translation>
    </message>
    <message>
        <source>&amp;Kontrollera filer</source>
        <translation>C&amp;heck files</translation>
    </message>
    <message>
        <source>Kontrollera databasfilerna</source>
        <translation>Check the database files</translation>
    </message>
    <message>
        <source>Rensa &amp;textfönster</source>
        <translation>Clear &amp;text window</translation>
    </message>
    <message>
        <source>Rensa &amp;sök- och urvalsvillkor</source>
        <translation>Clear &amp;search and selection conditions</translation>
    </message>
    <message>
        <source>Ta bort aktuella sök- och urvalsvillkor</source>
        <translation>Remove the current search and selection conditions</translation>
    </message>
    <message>
        <source>&amp;Stavbashjälp</source>
        <translation>&amp;Stavbas help</translation>
    </message>
    <message>
        <source>Visa hjälp</source>
        <translation>Show help</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>&amp;Om...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>Om Stavbas...</source>
        <translation>About Stavbas...</translation>
    </message>
    <message>
        <source>&amp;Nästa</source>
        <translation>&amp;Next</translation>
    </message>
    <message>
        <source>Gå till nästa inskrift</source>
        <translation>Go to the next inscription</translation>
    </message>
    <message>
        <source>&amp;Resten</source>
        <translation>&amp;Rest</translation>
    </message>
    <message>
        <source>Visa resten av urvalet utan pauser</source>
        <translation>Show the rest of the selection without pauses</translation>
    </message>
    <message>
        <source>&amp;Inskriftsinfo</source>
        <translation>&amp;Inscription info</translation>
    </message>
    <message>
        <source>Visa engelsk översättning för senast visad inskrift</source>
        <translation>Show the English translation of the inscription shown last</translation>
    </message>
    <message>
        <source>Visa på &amp;karta</source>
        <translation>Show on &amp;map</translation>
    </message>
    <message>
        <source>Inskrifts&amp;bibliografi</source>
        <translation>Inscription &amp;bibliography</translation>
    </message>
    <message>
        <source>&amp;Avbryt</source>
        <translation>&amp;Abort</translation>
    </message>
    <message>
        <source>Avbryt och återgå till huvudmenyn</source>
        <translation>Abort and return to the main menu</translation>
    </message>
    <message>
        <source>Signum</source>
        <translation>Signum</translation>
    </message>
    <message>
        <source>Alla</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Läs in</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Läs in från fil</source>
        <translation>Read from a file</translation>
    </message>
    <message>
        <source>Spara</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Skriv ut</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Karta</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>Visa karta för aktuell inskrift</source>
        <translation>Show a map for the current inscription</translation>
    </message>
    <message>
        <source>Litteratur</source>
        <translation>Literature</translation>
    </message>
    <message>
        <source>Visa litteratur för aktuell inskrift</source>
        <translation>Show literature for the current inscription</translation>
    </message>
    <message>
        <source>Felrapport</source>
        <translation>Error report</translation>
    </message>
    <message>
        <source>Skicka felrapport för aktuell inskrift</source>
        <translation>Send an error report on the current inscription</translation>
    </message>
    <message>
        <source>Paus</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Inmatning</source>
        <translation>Entry</translation>
    </message>
    <message>
        <source>Teckensnitt</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Senaste signumen</source>
        <translation>Latest signums</translation>
    </message>
    <message>
        <source>T&amp;eckensnitt...</source>
        <translation>F&amp;ont...</translation>
    </message>
    <message>
        <source>Sö&amp;k</source>
        <translation>Sear&amp;ch</translation>
    </message>
    <message>
        <source>Urval:</source>
        <translation>Selection:</translation>
    </message>
    <message>
        <source>Ange koder för urval</source>
        <translation>Enter selection codes</translation>
    </message>
    <message>
        <source>Här visas aktuellt landskapsurval</source>
        <translation>The current province selection is shown here</translation>
    </message>
    <message>
        <source>Signum:</source>
        <translation>Signum:</translation>
    </message>
    <message>
        <source>Ange signum</source>
        <translation>Enter a signum</translation>
    </message>
    <message>
        <source>Första signum:</source>
        <translation>First signum:</translation>
    </message>
    <message>
        <source>Ange signum som Du vill börja med</source>
        <translation>Enter the signum you want to start with</translation>
    </message>
    <message>
        <source>Formatkod: </source>
        <translation>Format code: </translation>
    </message>
    <message>
        <source>Ange formatkod</source>
        <translation>Enter a format code</translation>
    </message>
    <message>
        <source>Inskriftsvillkorskod:</source>
        <translation>Inscription condition code:</translation>
    </message>
    <message>
        <source>Ange inskriftsvillkorskod</source>
        <translation>Enter an inscription condition code</translation>
    </message>
    <message>
        <source>Ordsökningskod:</source>
        <translation>Word search code:</translation>
    </message>
    <message>
        <source>Ange ordsökningskod</source>
        <translation>Enter a word search code</translation>
    </message>
    <message>
        <source>Hjälpsidorna finns inte: %1</source>
        <translation>The help pages are missing: %1</translation>
    </message>
    <message>
        <source>Datum för Runtextfilen: </source>
        <translation>Date of the runic text file: </translation>
    </message>
    <message>
        <source>Ange fil som Du vill öppna</source>
        <translation>Choose the file you want to open</translation>
    </message>
    <message>
        <source>Alla filer (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>TFormatval</name>
    <message>
        <source>Formatval - Textformat</source>
        <translation>Format choice - Text format</translation>
    </message>
    <message>
        <source>Markera format, klicka på pilarna för att välja, ta bort eller sortera utvalda format</source>
        <translation>Select formats and click the arrows to choose, remove or order the chosen formats</translation>
    </message>
    <message>
        <source>&amp;Format att välja</source>
        <translation>&amp;Formats to choose from</translation>
    </message>
    <message>
        <source>Välj ut markerat format</source>
        <translation>Choose the selected format</translation>
    </message>
    <message>
        <source>Välj bort tidigare valt format</source>
        <translation>Remove a format chosen before</translation>
    </message>
    <message>
        <source>Flytta upp valt format</source>
        <translation>Move the chosen format up</translation>
    </message>
    <message>
        <source>Flytta ner valt format</source>
        <translation>Move the chosen format down</translation>
    </message>
    <message>
        <source>Va&amp;lda format</source>
        <translation>C&amp;hosen formats</translation>
    </message>
    <message>
        <source>&quot;Standardformat&quot; ger Signum, Runtext, Nationellt fornspråk och Fornvästnordisk text</source>
        <translation>&quot;Standard format&quot; gives Signum, Runic text, National old language and Old West Norse text</translation>
    </message>
    <message>
        <source>Rubriker för Info?</source>
        <translation>Headings for Info?</translation>
    </message>
    <message>
        <source>I&amp;nga rubriker</source>
        <translation>&amp;No headings</translation>
    </message>
    <message>
        <source>&amp;Rubriker</source>
        <translation>&amp;Headings</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Standardformat</source>
        <translation>Standard format</translation>
    </message>
    <message>
        <source>Blankrad</source>
        <translation>Blank line</translation>
    </message>
    <message>
        <source>Extra mellanrum</source>
        <translation>Extra space</translation>
    </message>
    <message>
        <source>Ingen ny rad</source>
        <translation>No new line</translation>
    </message>
    <message>
        <source>Minimalt mellanrum</source>
        <translation>Minimal space</translation>
    </message>
    <message>
        <source>Tabbtecken</source>
        <translation>Tab character</translation>
    </message>
    <message>
        <source>Signum</source>
        <translation>Signum</translation>
    </message>
    <message>
        <source>Runtext (Runtext.run)</source>
        <translation>Runic text (Runtext.run)</translation>
    </message>
    <message>
        <source>Nationellt fornspråk (Stavbas.nfs)</source>
        <translation>National old language (Stavbas.nfs)</translation>
    </message>
    <message>
        <source>Fornvästnordisk text (Stavbas.fvn)</source>
        <translation>Old West Norse text (Stavbas.fvn)</translation>
    </message>
    <message>
        <source>Information om plats mm (Stavbas.inf)</source>
        <translation>Information about place etc. (Stavbas.inf)</translation>
    </message>
    <message>
        <source>Engelsk översättning (Stavbas.eng)</source>
        <translation>English translation (Stavbas.eng)</translation>
    </message>
    <message>
        <source>Formatval - Beläggformat</source>
        <translation>Format choice - Attestation format</translation>
    </message>
    <message>
        <source>Formatval - Delat beläggformat</source>
        <translation>Format choice - Split attestation format</translation>
    </message>
    <message>
        <source>Formatkod:</source>
        <translation>Format code:</translation>
    </message>
</context>
<context>
    <name>TGetCounty</name>
    <message>
        <source>Välj land/landskap</source>
        <translation>Choose country/province</translation>
    </message>
    <message>
        <source>&amp;Valfritt</source>
        <translation>&amp;Any</translation>
    </message>
    <message>
        <source>Välj &amp;alla</source>
        <translation>Choose &amp;all</translation>
    </message>
    <message>
        <source>Hela &amp;Sverige</source>
        <translation>All of &amp;Sweden</translation>
    </message>
    <message>
        <source>utom Skåne, Halland</source>
        <translation>except Skåne, Halland</translation>
    </message>
    <message>
        <source>och Blekinge</source>
        <translation>and Blekinge</translation>
    </message>
    <message>
        <source>S&amp;torbritannien</source>
        <translation>Great &amp;Britain</translation>
    </message>
    <message>
        <source>&amp;Inget val</source>
        <translation>&amp;None</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TKartVal</name>
    <message>
        <source>Välj karttyp</source>
        <translation>Choose map type</translation>
    </message>
    <message>
        <source>Välj typ av karta</source>
        <translation>Choose the type of map</translation>
    </message>
    <message>
        <source>&amp;Google Maps</source>
        <translation>&amp;Google Maps</translation>
    </message>
    <message>
        <source>Google &amp;Earth</source>
        <translation>Google &amp;Earth</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TKoordVal</name>
    <message>
        <source>Välj plats att visa på karta</source>
        <translation>Choose the place to show on the map</translation>
    </message>
    <message>
        <source>&amp;Ursprunglig plats</source>
        <translation>&amp;Original place</translation>
    </message>
    <message>
        <source>&amp;Nuvarande plats</source>
        <translation>&amp;Present place</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TKoordValomnuv</name>
    <message>
        <source>Välj koordinater att använda</source>
        <translation>Choose the coordinates to use</translation>
    </message>
    <message>
        <source>Välj koordinater att använda på karta</source>
        <translation>Choose the coordinates to use on the map</translation>
    </message>
    <message>
        <source>&amp;Alltid ursprunglig plats</source>
        <translation>&amp;Always the original place</translation>
    </message>
    <message>
        <source>&amp;Nuvarande plats om den finns</source>
        <translation>The &amp;present place where there is one</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TMyInputBox</name>
    <message>
        <source>Ange vad som söks</source>
        <translation>Enter what is sought</translation>
    </message>
    <message>
        <source>Vad söks?</source>
        <translation>What is sought?</translation>
    </message>
    <message>
        <source>Det Du söker ska &amp;vara med</source>
        <translation>What you seek must &amp;be present</translation>
    </message>
    <message>
        <source>Det Du söker ska &amp;inte vara med</source>
        <translation>What you seek must &amp;not be present</translation>
    </message>
    <message>
        <source>Sök &amp;direkt (efter klick på OK)</source>
        <translation>Search &amp;directly (after clicking OK)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TMySelectBox</name>
    <message>
        <source>Ange vad som söks</source>
        <translation>Enter what is sought</translation>
    </message>
    <message>
        <source>Vad söks?</source>
        <translation>What is sought?</translation>
    </message>
    <message>
        <source>Det Du söker ska &amp;vara med</source>
        <translation>What you seek must &amp;be present</translation>
    </message>
    <message>
        <source>Det Du söker ska &amp;inte vara med</source>
        <translation>What you seek must &amp;not be present</translation>
    </message>
    <message>
        <source>Sök &amp;direkt (efter klick på OK)</source>
        <translation>Search &amp;directly (after clicking OK)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TOmStavbas</name>
    <message>
        <source>Om Stavbas</source>
        <translation>About Stavbas</translation>
    </message>
    <message>
        <source>Stavbas för Windows</source>
        <translation>Stavbas for Windows</translation>
    </message>
    <message>
        <source>Version 3.1</source>
        <translation>Version 3.1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TOverWrite</name>
    <message>
        <source>Skriv över filen?</source>
        <translation>Overwrite the file?</translation>
    </message>
    <message>
        <source>finns redan, välj om du ska skriva över filen, eller lägga till i slutet</source>
        <translation>exists already; choose whether to overwrite the file or to add to its end</translation>
    </message>
    <message>
        <source>&amp;Skriv över</source>
        <translation>&amp;Overwrite</translation>
    </message>
    <message>
        <source>&amp;Lägg till i slutet på filen</source>
        <translation>&amp;Add to the end of the file</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TVisaFiler</name>
    <message>
        <source>VisaFiler</source>
        <translation>ViewFiles</translation>
    </message>
    <message>
        <source>Filens text</source>
        <translation>The text of the file</translation>
    </message>
    <message>
        <source>&amp;Arkiv</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Redigera</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Öppna...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Stäng</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Ctrl+W</source>
        <translation>Ctrl+W</translation>
    </message>
    <message>
        <source>&amp;Kopiera</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Sök...</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <source>Ctrl+B</source>
        <translation>Ctrl+B</translation>
    </message>
</context>
</TS>
