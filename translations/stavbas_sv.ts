<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE" sourcelanguage="sv_SE">
<context>
    <name>FindDialog</name>
    <message>
        <source>Sök</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sök &amp;efter:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sök &amp;nästa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bara &amp;hela ord</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Matcha gemener/VERSALER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hjälp</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GuiHost</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Nej</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>Stavbashjälp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Innehåll</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bakåt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Framåt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stäng</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TAvslutaStavbas</name>
    <message>
        <source>Avsluta Stavbas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vill Du avsluta?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spara texten?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Välj om visad text ska sparas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Spara</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spara &amp;inte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spara inställningar?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spara i&amp;nställningar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sparar inställningar gjorda i Inställningsmenyn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spara &amp;allt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sparar inställningar och urvalsvillkor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Behåll startvärde</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Behåller befintliga inställningar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Nej</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Stavbas för Windows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Textfönster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Inskrift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meny för att välja ut inskrifter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redigera</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meny för att redigera och söka i texten i aktivt fönster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sök i &amp;text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meny för att ange villkor för sökning i texter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ny sökning i text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Egennamn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ytterligare sökning i text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Urval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meny för urval av landskap och villkor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Nytt inskriftsvillkor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fler inskriftsvillkor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meny för format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Spara</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meny för att spara till fil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&amp;nställningar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Meny för inställningar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Diverse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diverse kommandon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Webblänkar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa webblänkar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Byt språk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R&amp;ensa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rensa i fönster och bland villkor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hjälp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hjälpmeny</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verktygsfält</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Urval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Signum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Välj en enstaka inskrift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A&amp;lla</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa alla inskrifter (för aktuellt urval/villkor)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alla frå&amp;n</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa alla inskrifter från ett visst signum (för ett visst urval/villkor)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Läs urvalsf&amp;il</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Läs in data från urvalsfil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skriv &amp;ut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skriv ut texten på skrivare</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fortsätt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fortsätt efter &quot;avbryt&quot; från aktuell inskrift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Avsluta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avslutar Stavbas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Klipp ut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tar bort markerad text och lägger det i Urklipp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K&amp;opiera</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kopierar markerad text till Urklipp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Radera allt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tar bort all text det aktiva fönstret</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Markera allt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Markerar all text i det aktiva fönstret</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sök...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sök text i aktivt fönster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Teckensnitt...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ändrar teckensnitt i markerad text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Runtext (Stavbas.run)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Nationellt fornspråk (stavbas.nfs)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fornvästnordisk text (Stavbas.fvn)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bara egennamn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Inga egennamn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tag bort sökvillkor i text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Textsöknings&amp;kod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redigera direkt i sökningskoden för textsökning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Land(skap)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Del 3 av signum (försvunnen, nytolkad, medeltida, urnordisk)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Runtext (Stavbas.run)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nationellt fornspråk (Stavbas.nfs)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fornvästnordisk text (Stavbas.fvn)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fritextsökning i informationsfilen (Stavbas.inf/Stavbas.xls)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Engelsk text (Stavbas.eng)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Socken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Härad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kommun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Placering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Koordinater</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Urspr. plats?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nuv. koord.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sockenkod/Fornlämningsnr.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Runtyper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Korsform</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period/Datering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stilgruppering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ristare</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Materialtyp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Material</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Föremål</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alternativt signum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Referens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bildlänk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Övrigt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tag bort inskriftsvillkor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Inskriftsvillkorskod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redigera direkt i inskriftsvillkorskoden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Textformat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hela inskrifter visas. Ange vilka databasfiler och infouppgifter som ska visas </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Beläggformat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eftersökta ord visas. Ange vilka databasfiler och infouppgifter som ska visas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delat beläggformat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Eftersökta ord visas (alternativa tolkningar redovisas separat)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Formatkod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ange format och vilka filer som ska användas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;kapa urvalsfil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spara aktuellt urval till en textfil med enbart signum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skapa &amp;Google Earth-fil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skapa fil som kan läsas av Google Earth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sk&amp;apa Google Maps-fil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skapa fil som kan visas i Google Maps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skapa GP&amp;X-fil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skapa fil som kan läsas av en GPS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skapa &amp;CSV-fil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skapa CSV-fil som t.ex. kan läsas av Excel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skapa S&amp;hape-fil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skapa shapefil som kan läsas av GIS-program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spara texten till fil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spara so&amp;m...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spara med nytt filnamn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Datafiler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ange databasfiler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Pauser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Välj om inskrifterna ska visas med paus eller inte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Kommentera</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kommentarer skrivs i textfiler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tabb mellan koordinater</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Välj om koordinaterna ska återges med tabbtecken mellan sig eller inte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Inskriftsinformation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa infouppgifter om senast visad inskrift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Filinformation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa information om filerna i databasen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Litteraturlista</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa litteraturlistan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Engelsk översättning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa engelsk översättning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa på k&amp;arta (www)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa placering på karta för senast visad inskrift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&amp;nskriftsbibliografi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa litteratur i Svensk runbibliografi om senast visad inskrift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Svenska</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Svenska</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Engelska</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Engelska</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Visa fil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Välj fil att visa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Kontrollera filer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kontrollera databasfilerna</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rensa &amp;textfönster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rensa &amp;sök- och urvalsvillkor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ta bort aktuella sök- och urvalsvillkor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stavbashjälp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa hjälp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Om...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Om Stavbas...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Nästa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gå till nästa inskrift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Resten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa resten av urvalet utan pauser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Inskriftsinfo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa engelsk översättning för senast visad inskrift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa på &amp;karta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inskrifts&amp;bibliografi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Avbryt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avbryt och återgå till huvudmenyn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alla</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Läs in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Läs in från fil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spara</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skriv ut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Karta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa karta för aktuell inskrift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Litteratur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visa litteratur för aktuell inskrift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Felrapport</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skicka felrapport för aktuell inskrift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inmatning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Teckensnitt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Senaste signumen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T&amp;eckensnitt...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sö&amp;k</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Urval:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ange koder för urval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Här visas aktuellt landskapsurval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signum:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ange signum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Första signum:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ange signum som Du vill börja med</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Formatkod: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ange formatkod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inskriftsvillkorskod:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ange inskriftsvillkorskod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ordsökningskod:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ange ordsökningskod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hjälpsidorna finns inte: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datum för Runtextfilen: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ange fil som Du vill öppna</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alla filer (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormatval</name>
    <message>
        <source>Formatval - Textformat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Markera format, klicka på pilarna för att välja, ta bort eller sortera utvalda format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Format att välja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Välj ut markerat format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Välj bort tidigare valt format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flytta upp valt format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flytta ner valt format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Va&amp;lda format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;Standardformat&quot; ger Signum, Runtext, Nationellt fornspråk och Fornvästnordisk text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rubriker för Info?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&amp;nga rubriker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rubriker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standardformat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blankrad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extra mellanrum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ingen ny rad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimalt mellanrum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tabbtecken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Runtext (Runtext.run)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nationellt fornspråk (Stavbas.nfs)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fornvästnordisk text (Stavbas.fvn)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information om plats mm (Stavbas.inf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Engelsk översättning (Stavbas.eng)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Formatval - Beläggformat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Formatval - Delat beläggformat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Formatkod:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TGetCounty</name>
    <message>
        <source>Välj land/landskap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Valfritt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Välj &amp;alla</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hela &amp;Sverige</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>utom Skåne, Halland</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>och Blekinge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;torbritannien</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Inget val</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TKartVal</name>
    <message>
        <source>Välj karttyp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Välj typ av karta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Google Maps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Google &amp;Earth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TKoordVal</name>
    <message>
        <source>Välj plats att visa på karta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ursprunglig plats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Nuvarande plats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TKoordValomnuv</name>
    <message>
        <source>Välj koordinater att använda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Välj koordinater att använda på karta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Alltid ursprunglig plats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Nuvarande plats om den finns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TMyInputBox</name>
    <message>
        <source>Ange vad som söks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vad söks?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Det Du söker ska &amp;vara med</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Det Du söker ska &amp;inte vara med</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sök &amp;direkt (efter klick på OK)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TMySelectBox</name>
    <message>
        <source>Ange vad som söks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vad söks?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Det Du söker ska &amp;vara med</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Det Du söker ska &amp;inte vara med</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sök &amp;direkt (efter klick på OK)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TOmStavbas</name>
    <message>
        <source>Om Stavbas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stavbas för Windows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version 3.1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TOverWrite</name>
    <message>
        <source>Skriv över filen?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>finns redan, välj om du ska skriva över filen, eller lägga till i slutet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Skriv över</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Lägg till i slutet på filen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avbryt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TVisaFiler</name>
    <message>
        <source>VisaFiler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filens text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Arkiv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redigera</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Öppna...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stäng</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Kopiera</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sök...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+B</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
