<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_CA">
<context>
    <name>Amount</name>
    <message>
        <source>Invalid Input - the number contains multiple &quot;.&quot; (dots)</source>
        <translation>Entrée invalide - le nombre contient plus d&apos;une virgule décimale</translation>
    </message>
    <message>
        <source>Invalid Input - the number contains non-numeric characters</source>
        <translation>Entrée invalide - le nombre contient des caractères non numériques</translation>
    </message>
    <message>
        <source>Zero is invalid program input</source>
        <translation>Zéro n&apos;est pas un montant valide</translation>
    </message>
    <message>
        <source>Invalid Input - the number is longer than 32 characters</source>
        <translation>Entrée invalide - le nombre dépasse 32 caractères</translation>
    </message>
    <message>
        <source>Invalid Input - a comma only groups thousands (1,000); use a point for decimals (1.5)</source>
        <translation>Entrée invalide - l&apos;espace ne sert qu&apos;à grouper les milliers (1 000); utilisez la virgule pour les décimales (1,5)</translation>
    </message>
    <message>
        <source>a point</source>
        <translation>un point</translation>
    </message>
    <message>
        <source>a comma</source>
        <translation>une virgule</translation>
    </message>
    <message>
        <source>a space</source>
        <translation>une espace</translation>
    </message>
    <message>
        <source>it holds no digits</source>
        <translation>il ne contient aucun chiffre</translation>
    </message>
    <message>
        <source>it holds more than one decimal point</source>
        <translation>il contient plus d&apos;un point décimal</translation>
    </message>
    <message>
        <source>it holds more than one decimal mark</source>
        <translation>il contient plus d&apos;un séparateur décimal</translation>
    </message>
    <message>
        <source>it holds characters other than digits, &quot;%1&quot; and &quot;%2&quot;</source>
        <translation>il contient des caractères autres que des chiffres, « %1 » et « %2 »</translation>
    </message>
    <message>
        <source>zero converts to nothing</source>
        <translation>zéro ne se convertit en rien</translation>
    </message>
    <message>
        <source>it is longer than %1 characters</source>
        <translation>il dépasse %1 caractères</translation>
    </message>
    <message>
        <source>%1 only groups thousands (%2); use %3 for decimals (%4)</source>
        <translation>%1 ne sert qu&apos;à grouper les milliers (%2); utilisez %3 pour les décimales (%4)</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>The data directory &quot;%1&quot; does not exist.</source>
        <translation>Le dossier de données « %1 » n&apos;existe pas.</translation>
    </message>
    <message>
        <source>Kestrum cannot open the Graphs window: %1.</source>
        <translation>Kestrum ne peut ouvrir la fenêtre Graphiques : %1.</translation>
    </message>
</context>
<context>
    <name>Batch</name>
    <message>
        <source>The rows are separated by semicolons; write commas, or a header &quot;date;amount;currency&quot; to keep them.</source>
        <translation>Les lignes sont séparées par des points-virgules; écrivez des virgules, ou un en-tête « date;amount;currency » pour les garder.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds no data row; each row is %2.</source>
        <translation>« %1 » ne contient aucune ligne de données; chaque ligne est %2.</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2.</source>
        <translation>Impossible de lire « %1 » : %2.</translation>
    </message>
    <message>
        <source>The row is not %1.</source>
        <translation>La ligne n&apos;est pas %1.</translation>
    </message>
    <message>
        <source>The date column</source>
        <translation>La colonne des dates</translation>
    </message>
    <message>
        <source>--file takes each row&apos;s own date.</source>
        <translation>--file prend la date propre à chaque ligne.</translation>
    </message>
    <message>
        <source>--verbose does not go with --file: the columns rate_date, rate, fee_percent and source say it.</source>
        <translation>--verbose ne va pas avec --file : les colonnes rate_date, rate, fee_percent et source le disent.</translation>
    </message>
</context>
<context>
    <name>Chart</name>
    <message>
        <source>The size &quot;%1&quot; is not WIDTHxHEIGHT in pixels, from 200x150 to %2x%2.</source>
        <translation>La taille « %1 » n&apos;est pas LARGEURxHAUTEUR en pixels, de 200x150 à %2x%2.</translation>
    </message>
    <message>
        <source>The currency of one unit.</source>
        <translation>La devise d&apos;une unité.</translation>
    </message>
    <message>
        <source>The currency the rate is counted in.</source>
        <translation>La devise dans laquelle le taux est compté.</translation>
    </message>
    <message>
        <source>The days up to the newest stored: 1M, 3M, 1Y, 5Y, 10Y or all (default 1Y).</source>
        <translation>Les jours jusqu&apos;au plus récent enregistré : 1M, 3M, 1Y, 5Y, 10Y ou all (par défaut 1Y).</translation>
    </message>
    <message>
        <source>The first day, YYYY-MM-DD.</source>
        <translation>Le premier jour, AAAA-MM-JJ.</translation>
    </message>
    <message>
        <source>The last day, YYYY-MM-DD.</source>
        <translation>Le dernier jour, AAAA-MM-JJ.</translation>
    </message>
    <message>
        <source>The history of boc or ecb (default: the configured source).</source>
        <translation>L&apos;historique de boc ou d&apos;ecb (par défaut : la source configurée).</translation>
    </message>
    <message>
        <source>The PNG file to write.</source>
        <translation>Le fichier PNG à écrire.</translation>
    </message>
    <message>
        <source>The picture&apos;s size in pixels (default 900x500).</source>
        <translation>La taille de l&apos;image en pixels (par défaut 900x500).</translation>
    </message>
    <message>
        <source>The chart needs --output FILE.png.</source>
        <translation>Le graphique demande --output FICHIER.png.</translation>
    </message>
    <message>
        <source>Give either --range or --from and --to, not both.</source>
        <translation>Donnez --range ou bien --from et --to, pas les deux.</translation>
    </message>
    <message>
        <source>The range must be 1M, 3M, 1Y, 5Y, 10Y or all.</source>
        <translation>L&apos;étendue doit être 1M, 3M, 1Y, 5Y, 10Y ou all.</translation>
    </message>
    <message>
        <source>--from must not come after --to.</source>
        <translation>--from ne doit pas venir après --to.</translation>
    </message>
    <message>
        <source>The source must be boc or ecb.</source>
        <translation>La source doit être boc ou ecb.</translation>
    </message>
    <message>
        <source>No day of %1/%2 from %3 is stored in that range; &quot;kestrum history fetch&quot; brings the history.</source>
        <translation>Aucun jour de la paire %1/%2 de %3 n&apos;est enregistré dans cette étendue; « kestrum history fetch » télécharge l&apos;historique.</translation>
    </message>
    <message>
        <source>Only one day of %1/%2 from %3 is stored in that range, too little to draw a line.</source>
        <translation>Un seul jour de la paire %1/%2 de %3 est enregistré dans cette étendue, trop peu pour tracer une ligne.</translation>
    </message>
    <message>
        <source>Kestrum cannot draw: %1.</source>
        <translation>Kestrum ne peut pas dessiner : %1.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Copyright (c) 2026 the Kestrum authors.
License MIT: &lt;https://opensource.org/license/mit&gt;.
This is free software: you are free to change and redistribute it.
There is NO WARRANTY, to the extent permitted by law.</source>
        <translation>Copyright (c) 2026 les auteurs de Kestrum.
Licence MIT : &lt;https://opensource.org/license/mit&gt;.
Ce logiciel est libre : vous pouvez le modifier et le redistribuer.
Il n&apos;y a AUCUNE GARANTIE, dans la mesure permise par la loi.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Affiche cette aide.</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>Affiche la version.</translation>
    </message>
    <message>
        <source>Keep the program files in &lt;dir&gt;.</source>
        <translation>Garde les fichiers du programme dans &lt;dir&gt;.</translation>
    </message>
    <message>
        <source>The command to run (see above).</source>
        <translation>La commande à exécuter (voir ci-dessus).</translation>
    </message>
    <message>
        <source>Kestrum converts currencies with the Bank of Canada&apos;s or the
European Central Bank&apos;s rates. Without a command it opens its window.

Commands:
%1
&quot;kestrum COMMAND --help&quot; describes a command.
Exit codes: 0 success, 2 usage, 3 unknown currency, 4 no rate,
            5 data file missing or unreadable, 6 download or parse failed,
            7 output could not be written.</source>
        <translation>Kestrum convertit les devises aux taux de la Banque du Canada ou de
la Banque centrale européenne. Sans commande, il ouvre sa fenêtre.

Commandes :
%1
« kestrum COMMANDE --help » décrit une commande.
Codes de sortie : 0 succès, 2 mauvais usage, 3 devise inconnue, 4 aucun taux,
            5 fichier de données absent ou illisible, 6 échec du téléchargement ou de la lecture,
            7 la sortie n&apos;a pu être écrite.</translation>
    </message>
    <message>
        <source>%1%2 is given more than once (see --help).</source>
        <translation>%1%2 est donné plus d&apos;une fois (voir --help).</translation>
    </message>
    <message>
        <source>The data directory &quot;%1&quot; does not exist.</source>
        <translation>Le dossier de données « %1 » n&apos;existe pas.</translation>
    </message>
    <message>
        <source>No command given; &quot;kestrum --help&quot; lists the commands.</source>
        <translation>Aucune commande donnée; « kestrum --help » énumère les commandes.</translation>
    </message>
    <message>
        <source>Unknown command &quot;%1&quot;; &quot;kestrum --help&quot; lists the commands.</source>
        <translation>Commande inconnue « %1 »; « kestrum --help » énumère les commandes.</translation>
    </message>
    <message>
        <source>%1 (see --help).</source>
        <translation>%1 (voir --help).</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Unknown currency &quot;%1&quot;; &quot;kestrum list&quot; shows the codes and names.</source>
        <translation>Devise inconnue « %1 »; « kestrum list » montre les codes et les noms.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid amount: %2.</source>
        <translation>« %1 » n&apos;est pas un montant valide : %2.</translation>
    </message>
    <message>
        <source>There is no rate file &quot;%1&quot;; &quot;kestrum update&quot; or &quot;kestrum import FILE&quot; creates it.</source>
        <translation>Il n&apos;y a pas de fichier de taux « %1 »; « kestrum update » ou « kestrum import FICHIER » le crée.</translation>
    </message>
    <message>
        <source>The rate file &quot;%1&quot; is incomplete; &quot;kestrum update&quot; replaces it.</source>
        <translation>Le fichier de taux « %1 » est incomplet; « kestrum update » le remplace.</translation>
    </message>
    <message>
        <source>The amount: &quot;.&quot; decimal point, &quot;,&quot; between thousands.</source>
        <translation>Le montant : « . » point décimal, « , » entre les milliers.</translation>
    </message>
    <message>
        <source>Its currency: ISO code or English/French name.</source>
        <translation>Sa devise : code ISO ou nom anglais ou français.</translation>
    </message>
    <message>
        <source>The target currency.</source>
        <translation>La devise cible.</translation>
    </message>
    <message>
        <source>Apply a cash-rate fee of &lt;pct&gt; percent.</source>
        <translation>Applique des frais de change au comptant de &lt;pct&gt; pour cent.</translation>
    </message>
    <message>
        <source>Apply no cash-rate fee.</source>
        <translation>N&apos;applique aucuns frais de change au comptant.</translation>
    </message>
    <message>
        <source>Round the result to the cent.</source>
        <translation>Arrondit le résultat au cent.</translation>
    </message>
    <message>
        <source>Show four decimals.</source>
        <translation>Affiche quatre décimales.</translation>
    </message>
    <message>
        <source>Print a sentence naming the currencies, rate date and fee.</source>
        <translation>Écrit une phrase qui nomme les devises, la date des taux et les frais.</translation>
    </message>
    <message>
        <source>--fee and --no-fee exclude each other.</source>
        <translation>--fee et --no-fee s&apos;excluent.</translation>
    </message>
    <message>
        <source>--round and --no-round exclude each other.</source>
        <translation>--round et --no-round s&apos;excluent.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid fee percentage: %2</source>
        <translation>« %1 » n&apos;est pas un pourcentage de frais valide : %2</translation>
    </message>
    <message>
        <source>No rate is stored for %1.</source>
        <translation>Aucun taux n&apos;est enregistré pour %1.</translation>
    </message>
    <message>
        <source>%1: the same currency, no rate and no fee.</source>
        <translation>%1 : la même devise, sans taux ni frais.</translation>
    </message>
    <message>
        <source>%1, %2, %3, rounded to the cent.</source>
        <translation>%1, %2, %3, arrondi au cent.</translation>
    </message>
    <message>
        <source>%1, %2, %3.</source>
        <translation>%1, %2, %3.</translation>
    </message>
    <message>
        <source>Price in CAD (default) or USD.</source>
        <translation>Prix en CAD (par défaut) ou en USD.</translation>
    </message>
    <message>
        <source>Price &lt;n&gt; units instead of one.</source>
        <translation>Prix de &lt;n&gt; unités au lieu d&apos;une.</translation>
    </message>
    <message>
        <source>Print JSON.</source>
        <translation>Écrit du JSON.</translation>
    </message>
    <message>
        <source>Full dates as headings; lines wider than 80 columns.</source>
        <translation>Dates complètes en en-têtes; lignes de plus de 80 colonnes.</translation>
    </message>
    <message>
        <source>Show &lt;n&gt; significant digits instead of four decimals.</source>
        <translation>Affiche &lt;n&gt; chiffres significatifs au lieu de quatre décimales.</translation>
    </message>
    <message>
        <source>--digits takes a whole number from 1 to %1, not &quot;%2&quot;.</source>
        <translation>--digits prend un nombre entier de 1 à %1, pas « %2 ».</translation>
    </message>
    <message>
        <source>--against takes CAD or USD, not &quot;%1&quot;.</source>
        <translation>--against prend CAD ou USD, pas « %1 ».</translation>
    </message>
    <message>
        <source>%1: %2 unit of each currency in %3, %4</source>
        <translation>%1 : %2 unité de chaque devise en %3, %4</translation>
    </message>
    <message>
        <source>%1: %2 units of each currency in %3, %4</source>
        <translation>%1 : %2 unités de chaque devise en %3, %4</translation>
    </message>
    <message>
        <source>%1; days %2 to %3</source>
        <translation>%1; jours du %2 au %3</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Devise</translation>
    </message>
    <message>
        <source>The rates the history gives for &lt;date&gt; (YYYY-MM-DD) instead of the current ones.</source>
        <translation>Les taux que l&apos;historique donne pour &lt;date&gt; (AAAA-MM-JJ) au lieu des taux actuels.</translation>
    </message>
    <message>
        <source>No rates are stored yet; &quot;kestrum update&quot; or &quot;kestrum import FILE&quot; stores them.</source>
        <translation>Aucun taux n&apos;est encore enregistré; « kestrum update » ou « kestrum import FICHIER » les enregistre.</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>CAD per unit</source>
        <translation>CAD par unité</translation>
    </message>
    <message>
        <source>Origin</source>
        <translation>Origine</translation>
    </message>
    <message>
        <source>A saved rate page, Valet JSON answer, ECB XML file or NBP JSON answer.</source>
        <translation>Une page de taux enregistrée, une réponse JSON de Valet, un fichier XML de la BCE ou une réponse JSON de la Banque nationale de Pologne.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a rate page in the layout Kestrum reads; nothing was changed.</source>
        <translation>« %1 » n&apos;est pas une page de taux dans la forme que Kestrum lit; rien n&apos;a été changé.</translation>
    </message>
    <message>
        <source>Convert an amount between two currencies.</source>
        <translation>Convertit un montant entre deux devises.</translation>
    </message>
    <message>
        <source>Print the five-day rate table.</source>
        <translation>Écrit le tableau des taux des cinq jours.</translation>
    </message>
    <message>
        <source>List the currencies with their codes and current rates.</source>
        <translation>Énumère les devises avec leurs codes et leurs taux actuels.</translation>
    </message>
    <message>
        <source>Store the rates of a saved rate page.</source>
        <translation>Enregistre les taux d&apos;une page de taux sauvegardée.</translation>
    </message>
    <message>
        <source>Download the rate page and store its rates.</source>
        <translation>Télécharge la page de taux et enregistre ses taux.</translation>
    </message>
    <message>
        <source>Print or set where downloads fetch the rates.</source>
        <translation>Affiche ou règle l&apos;endroit où les téléchargements prennent les taux.</translation>
    </message>
    <message>
        <source>Show, summarise or fetch the rate history.</source>
        <translation>Affiche, résume ou télécharge l&apos;historique des taux.</translation>
    </message>
    <message>
        <source>Draw a pair&apos;s stored history into a PNG.</source>
        <translation>Dessine dans un PNG l&apos;historique enregistré d&apos;une paire.</translation>
    </message>
    <message>
        <source>Usage: kestrum %1 (see --help).</source>
        <translation>Utilisation : kestrum %1 (voir --help).</translation>
    </message>
    <message>
        <source>Stored the rates of %1; latest data: %2.</source>
        <translation>Taux de %1 enregistrés; données les plus récentes : %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;</source>
        <translation>« %1 »</translation>
    </message>
</context>
<context>
    <name>Conversion</name>
    <message>
        <source>less a %1% cash-rate fee</source>
        <translation>moins des frais de change au comptant de %1 %</translation>
    </message>
    <message>
        <source>without a cash-rate fee</source>
        <translation>sans frais de change au comptant</translation>
    </message>
    <message>
        <source>The result is too large to show.</source>
        <translation>Le résultat est trop grand pour être affiché.</translation>
    </message>
    <message>
        <source>The cash-rate fee must be a number from 0 up to but not including 100.</source>
        <translation>Les frais de change au comptant doivent être un nombre d&apos;au moins 0 et de moins de 100.</translation>
    </message>
</context>
<context>
    <name>DateRule</name>
    <message>
        <source>no publication day of it is stored</source>
        <translation>aucun de ses jours de publication n&apos;est enregistré</translation>
    </message>
    <message>
        <source>the nearest publication day is %1</source>
        <translation>le jour de publication le plus proche est le %1</translation>
    </message>
    <message>
        <source>the nearest publication days are %1 and %2</source>
        <translation>les jours de publication les plus proches sont le %1 et le %2</translation>
    </message>
    <message>
        <source>%1 published no rates on %2; %3.</source>
        <translation>%1 n&apos;a publié aucun taux le %2; %3.</translation>
    </message>
    <message>
        <source>No rates of %1 are stored for %2 or the %3 days after it.</source>
        <translation>Aucun taux de %1 n&apos;est enregistré pour le %2 ni les %3 jours suivants.</translation>
    </message>
</context>
<context>
    <name>Dates</name>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
</context>
<context>
    <name>DirLock</name>
    <message>
        <source>Waiting for the lock &quot;%1&quot;, which another program holds...</source>
        <translation>En attente du verrou « %1 », que détient un autre programme...</translation>
    </message>
    <message>
        <source>another program has held the lock &quot;%1&quot; for 1 second</source>
        <translation>un autre programme détient le verrou « %1 » depuis 1 seconde</translation>
    </message>
    <message>
        <source>another program has held the lock &quot;%1&quot; for %2 seconds</source>
        <translation>un autre programme détient le verrou « %1 » depuis %2 secondes</translation>
    </message>
    <message>
        <source>Nothing was saved: %1.</source>
        <translation>Rien n&apos;a été enregistré : %1.</translation>
    </message>
</context>
<context>
    <name>FileIo</name>
    <message>
        <source>Cannot save &quot;%1&quot;: %2</source>
        <translation>Impossible d&apos;enregistrer « %1 » : %2</translation>
    </message>
    <message>
        <source>it is a directory</source>
        <translation>c&apos;est un dossier</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <translation>Impossible d&apos;ouvrir « %1 » : %2</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>Impossible de lire « %1 » : %2</translation>
    </message>
    <message>
        <source>it is larger than %1 bytes</source>
        <translation>il dépasse %1 octets</translation>
    </message>
    <message>
        <source>Cannot remove &quot;%1&quot;: %2</source>
        <translation>Impossible de supprimer « %1 » : %2</translation>
    </message>
    <message>
        <source>Cannot restore &quot;%1&quot;: %2</source>
        <translation>Impossible de rétablir « %1 » : %2</translation>
    </message>
    <message>
        <source>its old contents were not kept</source>
        <translation>son ancien contenu n&apos;a pas été gardé</translation>
    </message>
    <message>
        <source>no such file or directory</source>
        <translation>aucun fichier ou dossier de ce nom</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permission refusée</translation>
    </message>
    <message>
        <source>no space left on the disk</source>
        <translation>il n&apos;y a plus d&apos;espace sur le disque</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>le système de fichiers est en lecture seule</translation>
    </message>
    <message>
        <source>a part of the path is not a directory</source>
        <translation>une partie du chemin n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>the file exists already</source>
        <translation>le fichier existe déjà</translation>
    </message>
    <message>
        <source>an input or output error occurred</source>
        <translation>une erreur d&apos;entrée ou de sortie s&apos;est produite</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>le nom est trop long</translation>
    </message>
    <message>
        <source>the path has too many symbolic links</source>
        <translation>le chemin a trop de liens symboliques</translation>
    </message>
    <message>
        <source>too many files are open</source>
        <translation>trop de fichiers sont ouverts</translation>
    </message>
    <message>
        <source>the file is closed</source>
        <translation>le fichier est fermé</translation>
    </message>
    <message>
        <source>the reading end of the pipe is closed</source>
        <translation>le côté lecture du tube est fermé</translation>
    </message>
    <message>
        <source>Cannot create a file beside &quot;%1&quot;: %2</source>
        <translation>Impossible de créer un fichier à côté de « %1 » : %2</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>--average takes a year or a month (YYYY or YYYY-MM), not &quot;%1&quot;.</source>
        <translation>--average prend une année ou un mois (AAAA ou AAAA-MM), pas « %1 ».</translation>
    </message>
    <message>
        <source>%1 has not begun yet.</source>
        <translation>%1 n&apos;a pas encore commencé.</translation>
    </message>
    <message>
        <source>--date and --average exclude each other.</source>
        <translation>--date et --average s&apos;excluent.</translation>
    </message>
    <message>
        <source>--rule goes with --date or --file.</source>
        <translation>--rule va avec --date ou --file.</translation>
    </message>
    <message>
        <source>No daily rates of %1 are stored for %2; %3</source>
        <translation>Aucun taux quotidien de %1 n&apos;est enregistré pour %2; %3</translation>
    </message>
    <message>
        <source>%1: %2 over %3 days from %4 to %5</source>
        <translation>%1 : %2 sur %3 jours du %4 au %5</translation>
    </message>
    <message>
        <source>at the average daily rates of %1 (%2)</source>
        <translation>aux taux quotidiens moyens de %1 (%2)</translation>
    </message>
    <message>
        <source>The rate history is empty; &quot;kestrum history fetch&quot; fills it.</source>
        <translation>L&apos;historique des taux est vide; « kestrum history fetch » le remplit.</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>First day</source>
        <translation>Premier jour</translation>
    </message>
    <message>
        <source>Last day</source>
        <translation>Dernier jour</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Jours</translation>
    </message>
    <message>
        <source>Currencies</source>
        <translation>Devises</translation>
    </message>
    <message>
        <source>--source takes boc or ecb, not &quot;%1&quot;.</source>
        <translation>--source prend boc ou ecb, pas « %1 ».</translation>
    </message>
    <message>
        <source>--csv and --json exclude each other.</source>
        <translation>--csv et --json s&apos;excluent.</translation>
    </message>
    <message>
        <source>--from lies after --to.</source>
        <translation>--from tombe après --to.</translation>
    </message>
    <message>
        <source>The rate history holds no %1 rates of %2 in %3 for those days; they lie in the future.</source>
        <translation>L&apos;historique ne contient aucun taux %1 de %2 en %3 pour ces jours; ils sont dans l&apos;avenir.</translation>
    </message>
    <message>
        <source>The rate history holds no %1 rates of %2 in %3 for those days; &quot;kestrum history fetch&quot; brings them.</source>
        <translation>L&apos;historique ne contient aucun taux %1 de %2 en %3 pour ces jours; « kestrum history fetch » les télécharge.</translation>
    </message>
    <message>
        <source>%1 takes a date YYYY-MM-DD, not &quot;%2&quot;.</source>
        <translation>%1 prend une date AAAA-MM-JJ, pas « %2 ».</translation>
    </message>
    <message>
        <source>%1 %2 lies too far back; Kestrum knows days from %3-01-01 to today.</source>
        <translation>%1 %2 est trop loin dans le passé; Kestrum connaît les jours du %3-01-01 à aujourd&apos;hui.</translation>
    </message>
    <message>
        <source>%1 %2 lies in the future; Kestrum knows days from %3-01-01 to today.</source>
        <translation>%1 %2 est dans l&apos;avenir; Kestrum connaît les jours du %3-01-01 à aujourd&apos;hui.</translation>
    </message>
    <message>
        <source>The rate history %1 cannot be opened.</source>
        <translation>L&apos;historique des taux %1 ne peut être ouvert.</translation>
    </message>
    <message>
        <source>&quot;kestrum history fetch%1&quot; brings them.</source>
        <translation>« kestrum history fetch%1 » les télécharge.</translation>
    </message>
    <message>
        <source>none of %1, %2 and %3 published it then.</source>
        <translation>ni %1, ni %2, ni %3 ne le publiaient alors.</translation>
    </message>
    <message>
        <source>neither %1 nor %2 published it then.</source>
        <translation>ni %1 ni %2 ne le publiaient alors.</translation>
    </message>
    <message>
        <source>%1 did not publish it then.</source>
        <translation>%1 ne le publiait pas alors.</translation>
    </message>
    <message>
        <source>%1 did not publish it then (filling from the other source is off).</source>
        <translation>%1 ne le publiait pas alors (le complément par l&apos;autre source est désactivé).</translation>
    </message>
    <message>
        <source>No rate of %1 was published on %2.</source>
        <translation>Aucun taux de %1 n&apos;a été publié le %2.</translation>
    </message>
    <message>
        <source>No rate of %1 is stored for %2 or the %3 days after it; %4</source>
        <translation>Aucun taux de %1 n&apos;est enregistré pour le %2 ni les %3 jours suivants; %4</translation>
    </message>
    <message>
        <source>No rate of %1 is stored for %2 or the %3 days before; %4</source>
        <translation>Aucun taux de %1 n&apos;est enregistré pour le %2 ni les %3 jours précédents; %4</translation>
    </message>
    <message>
        <source>The rule takes previous, next or exact, not &quot;%1&quot;.</source>
        <translation>La règle prend previous, next ou exact, pas « %1 ».</translation>
    </message>
    <message>
        <source>Convert at the rates of &lt;day&gt; (YYYY-MM-DD) from the history.</source>
        <translation>Convertit aux taux du &lt;day&gt; (AAAA-MM-JJ) tirés de l&apos;historique.</translation>
    </message>
    <message>
        <source>Convert at the average rates of a year or month (YYYY[-MM]).</source>
        <translation>Convertit aux taux moyens d&apos;une année ou d&apos;un mois (AAAA[-MM]).</translation>
    </message>
    <message>
        <source>Convert every row of a CSV file (date,amount,currency[,target]).</source>
        <translation>Convertit chaque ligne d&apos;un fichier CSV (date,amount,currency[,target]).</translation>
    </message>
    <message>
        <source>The target currency of --file rows that name none (default CAD).</source>
        <translation>La devise cible des lignes de --file qui n&apos;en nomment aucune (par défaut CAD).</translation>
    </message>
    <message>
        <source>Which publication day a date takes: the latest on or before it (default), the first on or after it, or that day only.</source>
        <translation>Le jour de publication que prend une date : le dernier ce jour-là ou avant (par défaut), le premier ce jour-là ou après, ou ce jour seulement.</translation>
    </message>
    <message>
        <source>--to goes with --file.</source>
        <translation>--to va avec --file.</translation>
    </message>
    <message>
        <source>A currency&apos;s daily series, &quot;fetch [boc|ecb|nbp]&quot; to download history, or &quot;export [CODE...]&quot; to write prices for other programs; nothing: a summary.</source>
        <translation>La série quotidienne d&apos;une devise, « fetch [boc|ecb|nbp] » pour télécharger l&apos;historique, ou « export [CODE...] » pour écrire des prix pour d&apos;autres programmes; rien : un résumé.</translation>
    </message>
    <message>
        <source>fetch: the history to download (default: the configured source).</source>
        <translation>fetch : l&apos;historique à télécharger (par défaut : la source configurée).</translation>
    </message>
    <message>
        <source>Price in &lt;code&gt; instead of CAD.</source>
        <translation>Prix en &lt;code&gt; au lieu de CAD.</translation>
    </message>
    <message>
        <source>From &lt;day&gt; (YYYY-MM-DD).</source>
        <translation>À partir du &lt;day&gt; (AAAA-MM-JJ).</translation>
    </message>
    <message>
        <source>Up to &lt;day&gt; (YYYY-MM-DD), by default today.</source>
        <translation>Jusqu&apos;au &lt;day&gt; (AAAA-MM-JJ), par défaut aujourd&apos;hui.</translation>
    </message>
    <message>
        <source>boc or ecb instead of the configured source.</source>
        <translation>boc ou ecb au lieu de la source configurée.</translation>
    </message>
    <message>
        <source>Print CSV.</source>
        <translation>Écrit du CSV.</translation>
    </message>
    <message>
        <source>Print JSON.</source>
        <translation>Écrit du JSON.</translation>
    </message>
    <message>
        <source>fetch: ask &lt;url&gt; instead of the source&apos;s address.</source>
        <translation>fetch : interroge &lt;url&gt; au lieu de l&apos;adresse de la source.</translation>
    </message>
    <message>
        <source>export: the file format (default: from the --output name, else ledger).</source>
        <translation>export : le format du fichier (par défaut : d&apos;après le nom de --output, sinon ledger).</translation>
    </message>
    <message>
        <source>export: write &lt;file&gt; instead of standard output.</source>
        <translation>export : écrit &lt;file&gt; au lieu de la sortie standard.</translation>
    </message>
    <message>
        <source>export: on the source&apos;s days, also what other sources and the parities give, marked as filled.</source>
        <translation>export : les jours de la source, aussi ce que donnent les autres sources et les parités, marqué comme complété.</translation>
    </message>
    <message>
        <source>--%1 goes with history export.</source>
        <translation>--%1 va avec history export.</translation>
    </message>
</context>
<context>
    <name>HistoryExport</name>
    <message>
        <source>--format takes %1, not &quot;%2&quot;.</source>
        <translation>--format prend %1, pas « %2 ».</translation>
    </message>
    <message>
        <source>--source takes boc, ecb or nbp, not &quot;%1&quot;.</source>
        <translation>--source prend boc, ecb ou nbp, pas « %1 ».</translation>
    </message>
    <message>
        <source>history export takes --format instead of --%1.</source>
        <translation>history export prend --format au lieu de --%1.</translation>
    </message>
    <message>
        <source>%1 is the currency the prices are counted in.</source>
        <translation>%1 est la devise dans laquelle les prix sont comptés.</translation>
    </message>
    <message>
        <source>--from lies after --to.</source>
        <translation>--from tombe après --to.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is one of Kestrum&apos;s own files; export to another name.</source>
        <translation>« %1 » est un des fichiers de Kestrum; exportez sous un autre nom.</translation>
    </message>
    <message>
        <source>The rate history holds no %1 prices for those currencies and days; &quot;kestrum history fetch&quot; brings them.</source>
        <translation>L&apos;historique ne contient aucun prix %1 pour ces devises et ces jours; « kestrum history fetch » les télécharge.</translation>
    </message>
    <message>
        <source>Wrote %1 prices to &quot;%2&quot;.</source>
        <translation>%1 prix écrits dans « %2 ».</translation>
    </message>
</context>
<context>
    <name>HistoryFetch</name>
    <message>
        <source>Usage: kestrum history fetch [boc|ecb|nbp] [--from D] [--to D] (see --help).</source>
        <translation>Utilisation : kestrum history fetch [boc|ecb|nbp] [--from D] [--to D] (voir --help).</translation>
    </message>
    <message>
        <source>history fetch takes boc, ecb or nbp, not &quot;%1&quot;.</source>
        <translation>history fetch prend boc, ecb ou nbp, pas « %1 ».</translation>
    </message>
    <message>
        <source>The configured rate page keeps no history; name boc, ecb or nbp.</source>
        <translation>La page de taux configurée ne garde pas d&apos;historique; nommez boc, ecb ou nbp.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an http or https address that can be fetched.</source>
        <translation>« %1 » n&apos;est pas une adresse http ou https qui peut être téléchargée.</translation>
    </message>
    <message>
        <source>--from lies after --to.</source>
        <translation>--from tombe après --to.</translation>
    </message>
    <message>
        <source>Nothing to fetch up to %1: %2.</source>
        <translation>Rien à télécharger jusqu&apos;au %1 : %2.</translation>
    </message>
    <message>
        <source>The %1 history from %2 to %3 is stored already.</source>
        <translation>L&apos;historique %1 du %2 au %3 est déjà enregistré.</translation>
    </message>
    <message>
        <source>The download of %1 failed: %2.</source>
        <translation>Le téléchargement de %1 a échoué : %2.</translation>
    </message>
</context>
<context>
    <name>HistoryKeeping</name>
    <message>
        <source>the answer holds no rates Kestrum reads</source>
        <translation>la réponse ne contient aucun taux que Kestrum lit</translation>
    </message>
    <message>
        <source>The rates that fill missing currencies could not be fetched from %1 (%2); those currencies stay unfilled.</source>
        <translation>Les taux qui complètent les devises manquantes n&apos;ont pu être téléchargés de %1 (%2); ces devises restent sans taux.</translation>
    </message>
    <message>
        <source>%1&apos;s daily series starts %2</source>
        <translation>la série quotidienne de %1 commence le %2</translation>
    </message>
    <message>
        <source>The answer of %1 is not %2&apos;s history.</source>
        <translation>La réponse de %1 n&apos;est pas l&apos;historique de %2.</translation>
    </message>
    <message>
        <source>The answers of %1 held no rates Kestrum reads between %2 and %3; nothing was stored.</source>
        <translation>Les réponses de %1 ne contenaient aucun taux que Kestrum lit entre le %2 et le %3; rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>%1 published no rates between %2 and %3.</source>
        <translation>%1 n&apos;a publié aucun taux entre le %2 et le %3.</translation>
    </message>
    <message>
        <source>Stored 1 day of %1 history between %2 and %3.</source>
        <translation>1 jour d&apos;historique %1 enregistré entre le %2 et le %3.</translation>
    </message>
    <message>
        <source>Stored %1 days of %2 history between %3 and %4.</source>
        <translation>%1 jours d&apos;historique %2 enregistrés entre le %3 et le %4.</translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <source>out of memory</source>
        <translation>mémoire épuisée</translation>
    </message>
    <message>
        <source>The rate history is busy (used by another program).</source>
        <translation>L&apos;historique des taux est occupé (utilisé par un autre programme).</translation>
    </message>
    <message>
        <source>The rate history %1 is not a regular file, so it is not used.</source>
        <translation>L&apos;historique des taux %1 n&apos;est pas un fichier ordinaire, il n&apos;est donc pas utilisé.</translation>
    </message>
    <message>
        <source>The rate history %1 was written by a newer version of Kestrum, so it is not used.</source>
        <translation>L&apos;historique des taux %1 a été écrit par une version plus récente de Kestrum, il n&apos;est donc pas utilisé.</translation>
    </message>
    <message>
        <source>The rate history %1 cannot be written, so nothing new is kept in it.</source>
        <translation>L&apos;historique des taux %1 ne peut être écrit, rien de nouveau n&apos;y est donc gardé.</translation>
    </message>
    <message>
        <source>The rate history %1 cannot be opened.</source>
        <translation>L&apos;historique des taux %1 ne peut être ouvert.</translation>
    </message>
    <message>
        <source>The rate history %1 is damaged and cannot be renamed aside, so it is not used.</source>
        <translation>L&apos;historique des taux %1 est endommagé et ne peut être renommé à l&apos;écart, il n&apos;est donc pas utilisé.</translation>
    </message>
    <message>
        <source>The rate history %1 was damaged and no new one can be started.</source>
        <translation>L&apos;historique des taux %1 était endommagé et aucun nouveau ne peut être commencé.</translation>
    </message>
    <message>
        <source>The rate history was not a readable Kestrum database; it was renamed to %1 and a new one started.</source>
        <translation>L&apos;historique des taux n&apos;était pas une base de données Kestrum lisible; il a été renommé %1 et un nouveau a été commencé.</translation>
    </message>
    <message>
        <source>The rate history %1 is damaged (%2), so it is renamed to %3.</source>
        <translation>L&apos;historique des taux %1 est endommagé (%2), il est donc renommé %3.</translation>
    </message>
    <message>
        <source>The rate history %1 cannot be read (%2).</source>
        <translation>L&apos;historique des taux %1 ne peut être lu (%2).</translation>
    </message>
    <message>
        <source>The rate history is not open.</source>
        <translation>L&apos;historique des taux n&apos;est pas ouvert.</translation>
    </message>
    <message>
        <source>The rates could not be kept in the rate history: %1.</source>
        <translation>Les taux n&apos;ont pu être gardés dans l&apos;historique : %1.</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>DATA DOWNLOAD FAILED.  RETRY?</source>
        <translation>ÉCHEC DU TÉLÉCHARGEMENT DES DONNÉES.  RÉESSAYER?</translation>
    </message>
    <message>
        <source>Downloading Data Files...</source>
        <translation>Téléchargement des données...</translation>
    </message>
    <message>
        <source>Parsing Data Files...</source>
        <translation>Lecture des données...</translation>
    </message>
    <message>
        <source>FILE SIZE ERROR.  CONTINUE DATA EXTRACTION OR CANCEL?</source>
        <translation>ERREUR DE TAILLE DE FICHIER.  POURSUIVRE L&apos;EXTRACTION DES DONNÉES OU ANNULER?</translation>
    </message>
    <message>
        <source>Exchange Rates v. Canadian Dollar</source>
        <translation>Taux de change par rapport au dollar canadien</translation>
    </message>
    <message>
        <source>Exchange Rates v. U.S. Dollar</source>
        <translation>Taux de change par rapport au dollar américain</translation>
    </message>
    <message>
        <source>Canadian Dollar</source>
        <translation>Dollar canadien</translation>
    </message>
    <message>
        <source>U.S. Dollars</source>
        <translation>dollars américains</translation>
    </message>
    <message>
        <source>Canadian Dollars</source>
        <translation>dollars canadiens</translation>
    </message>
    <message>
        <source>Franc CFA</source>
        <translation>Franc CFA</translation>
    </message>
    <message>
        <source>Franc CFP</source>
        <translation>Franc CFP</translation>
    </message>
    <message>
        <source>Program Error.  Value not found.</source>
        <translation>Erreur du programme.  Valeur introuvable.</translation>
    </message>
    <message>
        <source>Error Parsing Downloaded Data File.  The program may need to be updated or you may need to download this file again.</source>
        <translation>Erreur de lecture du fichier de données téléchargé.  Le programme doit peut-être être mis à jour, ou ce fichier téléchargé de nouveau.</translation>
    </message>
    <message>
        <source>Internet not connected.  If you believe this message is in error select &quot;Retry&quot;</source>
        <translation>Aucune connexion Internet.  Si vous croyez que ce message est une erreur, choisissez « Réessayer »</translation>
    </message>
    <message>
        <source>Data Files are available only from Monday to Friday after 2 PM Eastern Time.</source>
        <translation>Les données ne sont offertes que du lundi au vendredi après 14 h, heure de l&apos;Est.</translation>
    </message>
    <message>
        <source>Approximately </source>
        <translation>Environ </translation>
    </message>
    <message>
        <source> hours remaining.</source>
        <translation> heures à attendre.</translation>
    </message>
    <message>
        <source>Error : Missing Rate Data File</source>
        <translation>Erreur : fichier des taux introuvable</translation>
    </message>
    <message>
        <source>Error loading rate data file</source>
        <translation>Erreur de chargement du fichier des taux</translation>
    </message>
</context>
<context>
    <name>Modules</name>
    <message>
        <source>the module &quot;%1&quot; is missing or broken (%2)</source>
        <translation>le module « %1 » est absent ou endommagé (%2)</translation>
    </message>
</context>
<context>
    <name>Origins</name>
    <message>
        <source>%1 for %2</source>
        <translation>%1 pour %2</translation>
    </message>
    <message>
        <source>at the rates of %1</source>
        <translation>aux taux du %1</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 et du %2</translation>
    </message>
    <message>
        <source>No rate is stored for %1 or the %2 days before; &quot;kestrum history fetch&quot; brings the past into the store.</source>
        <translation>Aucun taux n&apos;est enregistré pour le %1 ni les %2 jours précédents; « kestrum history fetch » télécharge le passé dans l&apos;historique.</translation>
    </message>
    <message>
        <source>the Bank of Canada</source>
        <translation>la Banque du Canada</translation>
    </message>
    <message>
        <source>the ECB</source>
        <translation>la BCE</translation>
    </message>
    <message>
        <source>the %1</source>
        <translation>la %1</translation>
    </message>
    <message>
        <source>%1 from %2 (filled)</source>
        <translation>%1 de %2 (complété)</translation>
    </message>
    <message>
        <source>%1 from %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>%1, by the parity %2</source>
        <translation>%1, par la parité %2</translation>
    </message>
</context>
<context>
    <name>Output</name>
    <message>
        <source>Kestrum cannot write its output: standard output is closed.</source>
        <translation>Kestrum ne peut écrire sa sortie : la sortie standard est fermée.</translation>
    </message>
    <message>
        <source>Kestrum cannot write its output: %1.</source>
        <translation>Kestrum ne peut écrire sa sortie : %1.</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 octets</translation>
    </message>
    <message>
        <source>Downloading  %1</source>
        <translation>Téléchargement  %1</translation>
    </message>
    <message>
        <source>Downloading  [%1%2] %3%  %4</source>
        <translation>Téléchargement  [%1%2] %3%  %4</translation>
    </message>
</context>
<context>
    <name>Parities</name>
    <message>
        <source>1 per USD</source>
        <translation>1 par USD</translation>
    </message>
    <message>
        <source>2.70 per USD</source>
        <translation>2.70 par USD</translation>
    </message>
    <message>
        <source>1.79 per USD</source>
        <translation>1.79 par USD</translation>
    </message>
    <message>
        <source>655.957 per EUR</source>
        <translation>655.957 par EUR</translation>
    </message>
    <message>
        <source>1000 XPF = 8.38 EUR</source>
        <translation>1000 XPF = 8.38 EUR</translation>
    </message>
    <message>
        <source>239.640 per EUR, irrevocable</source>
        <translation>239.640 par EUR, irrévocable</translation>
    </message>
    <message>
        <source>30.1260 per EUR, irrevocable</source>
        <translation>30.1260 par EUR, irrévocable</translation>
    </message>
    <message>
        <source>7.53450 per EUR, irrevocable</source>
        <translation>7.53450 par EUR, irrévocable</translation>
    </message>
</context>
<context>
    <name>Pipeline</name>
    <message>
        <source>Added %1 to %2 to the rate history; the rates in use stay those of %3.</source>
        <translation>Du %1 au %2 ajoutés à l&apos;historique des taux; les taux en usage restent ceux du %3.</translation>
    </message>
    <message>
        <source>The rate history was not updated; the fixed parities were applied to the answer itself.</source>
        <translation>L&apos;historique des taux n&apos;a pas été mis à jour; les parités fixes ont été appliquées à la réponse elle-même.</translation>
    </message>
    <message>
        <source>%1&apos;s rates only fill the gaps of the configured source&apos;s, with filling on; &quot;rt.dt&quot; is unchanged.</source>
        <translation>Les taux de %1 ne font que compléter ceux de la source configurée, quand le complément est activé; « rt.dt » est inchangé.</translation>
    </message>
    <message>
        <source>The answer is the NBP&apos;s &quot;no table for that day&quot;; nothing was changed.</source>
        <translation>La réponse est le « aucun tableau pour ce jour » de la Banque nationale de Pologne; rien n&apos;a été changé.</translation>
    </message>
</context>
<context>
    <name>Publication</name>
    <message>
        <source>The European Central Bank publishes new rates from Monday to Friday around 4:00 PM Central European Time.</source>
        <translation>La Banque centrale européenne publie de nouveaux taux du lundi au vendredi vers 16 h, heure d&apos;Europe centrale.</translation>
    </message>
    <message>
        <source>The Bank of Canada publishes new rates from Monday to Friday by 4:30 PM Eastern Time.</source>
        <translation>La Banque du Canada publie de nouveaux taux du lundi au vendredi avant 16 h 30, heure de l&apos;Est.</translation>
    </message>
    <message>
        <source> hour remaining.</source>
        <translation> heure à attendre.</translation>
    </message>
</context>
<context>
    <name>RateChart</name>
    <message>
        <source>%1 per %2 (%3/%4)</source>
        <translation>%1 par %2 (%3/%4)</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 et %2</translation>
    </message>
    <message>
        <source>%1, without the cash-rate fee</source>
        <translation>%1, sans frais de change au comptant</translation>
    </message>
</context>
<context>
    <name>Source</name>
    <message>
        <source>--fill takes on or off, not &quot;%1&quot;.</source>
        <translation>--fill prend on ou off, pas « %1 ».</translation>
    </message>
    <message>
        <source>Filling from the other source: %1.</source>
        <translation>Complément par l&apos;autre source : %1.</translation>
    </message>
    <message>
        <source>boc: the Bank of Canada&apos;s daily rates; ecb: the European Central Bank&apos;s reference rates; or any http or https address. Without it the configured address is printed.</source>
        <translation>boc : les taux quotidiens de la Banque du Canada; ecb : les taux de référence de la Banque centrale européenne; ou toute adresse http ou https. Sans elle, l&apos;adresse configurée est affichée.</translation>
    </message>
    <message>
        <source>on (default): a currency the source lacks takes the other source&apos;s rate of the same day or up to 7 days before; off: only the source&apos;s own rates.</source>
        <translation>on (par défaut) : une devise qui manque à la source prend le taux de l&apos;autre source du même jour ou d&apos;au plus 7 jours avant; off : seulement les taux propres à la source.</translation>
    </message>
    <message>
        <source>%1 only fills the gaps of the configured source; choose boc, ecb or an address (its tables fill with &quot;kestrum source --fill on&quot;).</source>
        <translation>%1 ne fait que compléter la source configurée; choisissez boc, ecb ou une adresse (ses tableaux complètent avec « kestrum source --fill on »).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not boc, ecb or an http or https address of at most 255 characters that can be fetched.</source>
        <translation>« %1 » n&apos;est ni boc, ni ecb, ni une adresse http ou https d&apos;au plus 255 caractères qui peut être téléchargée.</translation>
    </message>
</context>
<context>
    <name>Sources</name>
    <message>
        <source>Bank of Canada</source>
        <translation>Banque du Canada</translation>
    </message>
    <message>
        <source>European Central Bank</source>
        <translation>Banque centrale européenne</translation>
    </message>
    <message>
        <source>National Bank of Poland, table %1</source>
        <translation>Banque nationale de Pologne, table %1</translation>
    </message>
    <message>
        <source>ECB</source>
        <translation>BCE</translation>
    </message>
    <message>
        <source>NBP A</source>
        <translation>NBP A</translation>
    </message>
    <message>
        <source>NBP B</source>
        <translation>NBP B</translation>
    </message>
    <message>
        <source>rate page of %1</source>
        <translation>page de taux de %1</translation>
    </message>
    <message>
        <source>%1 (filled)</source>
        <translation>%1 (complété)</translation>
    </message>
    <message>
        <source>National Bank of Poland, table %1 of %2 through table %3 of %4</source>
        <translation>Banque nationale de Pologne, tableau %1 du %2 par le tableau %3 du %4</translation>
    </message>
    <message>
        <source>National Bank of Poland, table %1 of %2</source>
        <translation>Banque nationale de Pologne, tableau %1 du %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>the Bank of Canada</source>
        <translation>la Banque du Canada</translation>
    </message>
    <message>
        <source>the European Central Bank</source>
        <translation>la Banque centrale européenne</translation>
    </message>
    <message>
        <source>the National Bank of Poland</source>
        <translation>la Banque nationale de Pologne</translation>
    </message>
    <message>
        <source>the rate page</source>
        <translation>la page de taux</translation>
    </message>
    <message>
        <source>1 day outside the days the service can have published (%1)</source>
        <translation>1 jour hors des jours que le service peut avoir publiés (%1)</translation>
    </message>
    <message>
        <source>%1 days outside the days the service can have published (%2 to %3)</source>
        <translation>%1 jours hors des jours que le service peut avoir publiés (du %2 au %3)</translation>
    </message>
    <message>
        <source>1 rate outside the plausible band of %1 to %2 per unit</source>
        <translation>1 taux hors de la plage plausible de %1 à %2 par unité</translation>
    </message>
    <message>
        <source>%1 rates outside the plausible band of %2 to %3 per unit</source>
        <translation>%1 taux hors de la plage plausible de %2 à %3 par unité</translation>
    </message>
    <message>
        <source>Left out of the answer: %1.</source>
        <translation>Écartés de la réponse : %1.</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 et %2</translation>
    </message>
</context>
<context>
    <name>Transfer</name>
    <message>
        <source>The address&apos;s protocol is not supported</source>
        <translation>Le protocole de l&apos;adresse n&apos;est pas pris en charge</translation>
    </message>
    <message>
        <source>The address is malformed</source>
        <translation>L&apos;adresse est mal formée</translation>
    </message>
    <message>
        <source>The proxy&apos;s name cannot be resolved</source>
        <translation>Le nom du serveur mandataire ne peut être résolu</translation>
    </message>
    <message>
        <source>The server&apos;s name cannot be resolved</source>
        <translation>Le nom du serveur ne peut être résolu</translation>
    </message>
    <message>
        <source>The connection to the server failed</source>
        <translation>La connexion au serveur a échoué</translation>
    </message>
    <message>
        <source>The server did not answer in time</source>
        <translation>Le serveur n&apos;a pas répondu à temps</translation>
    </message>
    <message>
        <source>The secure connection (SSL/TLS) to the server failed</source>
        <translation>La connexion sécurisée (SSL/TLS) au serveur a échoué</translation>
    </message>
    <message>
        <source>The server&apos;s certificate cannot be verified</source>
        <translation>Le certificat du serveur ne peut être vérifié</translation>
    </message>
    <message>
        <source>The server closed the connection without an answer</source>
        <translation>Le serveur a fermé la connexion sans répondre</translation>
    </message>
    <message>
        <source>The connection broke off during the transfer</source>
        <translation>La connexion a été coupée pendant le transfert</translation>
    </message>
    <message>
        <source>The server redirects too many times</source>
        <translation>Le serveur redirige trop de fois</translation>
    </message>
    <message>
        <source>The answer could not be saved</source>
        <translation>La réponse n&apos;a pu être enregistrée</translation>
    </message>
    <message>
        <source>The transfer failed (libcurl error %1)</source>
        <translation>Le transfert a échoué (erreur libcurl %1)</translation>
    </message>
    <message>
        <source>The answer is malformed (its chunked encoding cannot be read)</source>
        <translation>La réponse est mal formée (son encodage par morceaux ne peut être lu)</translation>
    </message>
    <message>
        <source>The answer is too large to read</source>
        <translation>La réponse est trop grande pour être lue</translation>
    </message>
    <message>
        <source>%1 (through the proxy %2)</source>
        <translation>%1 (par le serveur mandataire %2)</translation>
    </message>
    <message>
        <source>Cannot start the HTTP client</source>
        <translation>Impossible de démarrer le client HTTP</translation>
    </message>
    <message>
        <source>Response too large</source>
        <translation>Réponse trop grande</translation>
    </message>
    <message>
        <source>The transfer took longer than %1 s</source>
        <translation>Le transfert a pris plus de %1 s</translation>
    </message>
    <message>
        <source>The transfer is slower than %1 bytes per second</source>
        <translation>Le transfert est plus lent que %1 octets par seconde</translation>
    </message>
</context>
<context>
    <name>Update</name>
    <message>
        <source>no answer</source>
        <translation>aucune réponse</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not boc, ecb or an http or https address that can be fetched.</source>
        <translation>« %1 » n&apos;est ni boc, ni ecb, ni une adresse http ou https qui peut être téléchargée.</translation>
    </message>
    <message>
        <source>No rate-page address is configured; give one with --url.</source>
        <translation>Aucune adresse de page de taux n&apos;est configurée; donnez-en une avec --url.</translation>
    </message>
    <message>
        <source>The download of %1 failed: %2.</source>
        <translation>Le téléchargement de %1 a échoué : %2.</translation>
    </message>
    <message>
        <source>The page at %1 is not a rate page in the layout Kestrum reads; nothing was changed.</source>
        <translation>La page à %1 n&apos;est pas une page de taux dans la forme que Kestrum lit; rien n&apos;a été changé.</translation>
    </message>
    <message>
        <source>Fetch &lt;url&gt; instead of the configured rate page.</source>
        <translation>Télécharge &lt;url&gt; au lieu de la page de taux configurée.</translation>
    </message>
    <message>
        <source>Fetch the rates that fill missing currencies from &lt;url&gt; instead of the other service (with filling on).</source>
        <translation>Télécharge les taux qui complètent les devises manquantes depuis &lt;url&gt; au lieu de l&apos;autre service (quand le complément est activé).</translation>
    </message>
    <message>
        <source>Fetch the National Bank of Poland&apos;s tables A and B from under &lt;url&gt; instead of its service (with filling on).</source>
        <translation>Télécharge les tableaux A et B de la Banque nationale de Pologne sous &lt;url&gt; au lieu de son service (quand le complément est activé).</translation>
    </message>
    <message>
        <source>Kestrum cannot download: %1.</source>
        <translation>Kestrum ne peut pas télécharger : %1.</translation>
    </message>
</context>
<context>
    <name>kestrum::TCRateForm</name>
    <message>
        <source>&amp;Calculate</source>
        <translation>&amp;Calculer</translation>
    </message>
    <message>
        <source>Recalculate Page Values</source>
        <translation>Recalculer les valeurs de la page</translation>
    </message>
    <message>
        <source>&amp;Amount </source>
        <translation>&amp;Montant </translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Devise</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Conversion</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>Rates against the Canadian dollar</source>
        <translation>Taux par rapport au dollar canadien</translation>
    </message>
    <message>
        <source>Rates against the U.S. dollar</source>
        <translation>Taux par rapport au dollar américain</translation>
    </message>
    <message>
        <source>filled</source>
        <translation>complété</translation>
    </message>
    <message>
        <source>fixed parity</source>
        <translation>parité fixe</translation>
    </message>
    <message>
        <source>Shaded cells: a rate filled from another source (the other bank or the National Bank of Poland&apos;s tables), or derived from a fixed official parity. Hover over a cell for its source and day.</source>
        <translation>Cellules ombrées : taux complété par une autre source (l&apos;autre banque ou les tables de la Banque nationale de Pologne), ou tiré d&apos;une parité officielle fixe. Survolez une cellule pour voir sa source et sa date.</translation>
    </message>
</context>
<context>
    <name>kestrum::TCashRateForm</name>
    <message>
        <source>Cash Rate</source>
        <translation>Taux au comptant</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>The nominal rate is the current rate of exchange
for a currency.  However your bank or financial
institution will charge a fee when exchanging
currencies, and the amount you actually receive is
referred to as the Cash Rate.  This fee averages
around 4 percent.  If the Cash Rate checkbox is
checked the program will base its calculations
upon the percentage entered into the Cash Rate
box which defaults to 4 percent.  If you know your
discount rate, you can enter it into the program
using the edit box.</source>
        <translation>Le taux nominal est le taux de change courant
d&apos;une devise.  Toutefois, votre banque ou votre
institution financière prélève des frais lors
d&apos;un change, et le montant que vous recevez
réellement s&apos;appelle le taux au comptant.  Ces
frais sont en moyenne d&apos;environ 4 pour cent.
Si la case Taux au comptant est cochée, le
programme fonde ses calculs sur le pourcentage
inscrit dans la case voisine, qui vaut 4 par
défaut.  Si vous connaissez votre taux d&apos;escompte,
vous pouvez l&apos;inscrire dans cette case.</translation>
    </message>
    <message>
        <source>What the cash rate is</source>
        <translation>Ce qu&apos;est le taux au comptant</translation>
    </message>
</context>
<context>
    <name>kestrum::TGraphsForm</name>
    <message>
        <source>&amp;Fetch history</source>
        <translation>&amp;Récupérer l&apos;historique</translation>
    </message>
    <message>
        <source>Convert at &amp;date:</source>
        <translation>Convertir à la &amp;date :</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Montant</translation>
    </message>
    <message>
        <source>Date of the rates</source>
        <translation>Date des taux</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Graphique</translation>
    </message>
    <message>
        <source>The left and right arrow keys step the read-out from day to day</source>
        <translation>Les flèches gauche et droite déplacent la lecture d&apos;un jour à l&apos;autre</translation>
    </message>
    <message>
        <source>Con&amp;vert</source>
        <translation>Con&amp;vertir</translation>
    </message>
    <message>
        <source>Save as &amp;PNG...</source>
        <translation>Enregistrer en &amp;PNG...</translation>
    </message>
    <message>
        <source>Save as C&amp;SV...</source>
        <translation>Enregistrer en C&amp;SV...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Show %1</source>
        <comment>a chart range such as 1Y</comment>
        <translation>Afficher %1</translation>
    </message>
    <message>
        <source>Both</source>
        <translation>Les deux</translation>
    </message>
    <message>
        <source>%1 per %2</source>
        <translation>%1 par %2</translation>
    </message>
    <message>
        <source>Graphs: %1/%2</source>
        <translation>Graphiques : %1/%2</translation>
    </message>
    <message>
        <source>Choose two currencies in the main window.</source>
        <translation>Choisissez deux devises dans la fenêtre principale.</translation>
    </message>
    <message>
        <source>No history of %1 is stored yet from the %2; fetch it to see the chart.</source>
        <translation>Aucun historique de %1 n&apos;est encore enregistré (source : %2); récupérez-le pour voir le graphique.</translation>
    </message>
    <message>
        <source> or the </source>
        <translation> ou </translation>
    </message>
    <message>
        <source>No rate of %1 is stored for %2 or the %3 days before it; fetch the history first.</source>
        <translation>Aucun taux de %1 n&apos;est enregistré pour le %2 ni les %3 jours précédents; récupérez d&apos;abord l&apos;historique.</translation>
    </message>
    <message>
        <source>%1 %2 = %3 %4 at the rates of %5 (%6), %7.</source>
        <translation>%1 %2 = %3 %4 aux taux du %5 (%6), %7.</translation>
    </message>
    <message>
        <source>Nothing new: the history already held every day fetched.</source>
        <translation>Rien de nouveau : l&apos;historique contenait déjà tous les jours récupérés.</translation>
    </message>
    <message>
        <source>Save the chart as PNG</source>
        <translation>Enregistrer le graphique en PNG</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>Images PNG (*.png)</translation>
    </message>
    <message>
        <source>Save the rates as CSV</source>
        <translation>Enregistrer les taux en CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>The rates could not be saved as &quot;%1&quot;.</source>
        <translation>Les taux n&apos;ont pu être enregistrés sous « %1 ».</translation>
    </message>
    <message>
        <source>Fetching stopped: no day was added.</source>
        <translation>Récupération arrêtée : aucun jour ajouté.</translation>
    </message>
    <message>
        <source>All</source>
        <comment>the whole stored history</comment>
        <translation>Tout</translation>
    </message>
    <message>
        <source>Fetching stopped: one day of rates added.</source>
        <translation>Récupération arrêtée : un jour de taux ajouté.</translation>
    </message>
    <message>
        <source>Fetching stopped: %1 days of rates added.</source>
        <translation>Récupération arrêtée : %1 jours de taux ajoutés.</translation>
    </message>
    <message>
        <source>One day of rates added to the history.</source>
        <translation>Un jour de taux ajouté à l&apos;historique.</translation>
    </message>
    <message>
        <source>%1 days of rates added to the history.</source>
        <translation>%1 jours de taux ajoutés à l&apos;historique.</translation>
    </message>
    <message>
        <source>Fetch history</source>
        <translation>Récupérer l&apos;historique</translation>
    </message>
    <message>
        <source>Only one day of %1 is stored in this range, too little to draw a line; choose a longer range or fetch the history.</source>
        <translation>Un seul jour de %1 est enregistré dans cette période, trop peu pour tracer une ligne; choisissez une période plus longue ou récupérez l&apos;historique.</translation>
    </message>
    <message>
        <source>First %1   Last %2   Change %3%4 %   Minimum %5 (%6)   Maximum %7 (%8)   Mean %9</source>
        <translation>Premier %1   Dernier %2   Variation %3%4 %   Minimum %5 (%6)   Maximum %7 (%8)   Moyenne %9</translation>
    </message>
    <message>
        <source>%1 days with rates between %2 and %3</source>
        <translation>%1 jours de taux entre le %2 et le %3</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>du %1 au %2</translation>
    </message>
    <message>
        <source>; nothing stored from %1</source>
        <translation>; rien d&apos;enregistré %1</translation>
    </message>
    <message>
        <source>&amp;Export prices...</source>
        <translation>&amp;Exporter les cours...</translation>
    </message>
    <message>
        <source>or the last publication before</source>
        <translation>ou la dernière publication avant</translation>
    </message>
    <message>
        <source>or the first publication after</source>
        <translation>ou la première publication après</translation>
    </message>
    <message>
        <source>only that day</source>
        <translation>ce jour seulement</translation>
    </message>
    <message>
        <source>Publication day taken</source>
        <translation>Jour de publication retenu</translation>
    </message>
    <message>
        <source>Which publication day a date without one takes: the latest before it, the first after it (the EU VAT rule), or none.</source>
        <translation>Le jour de publication retenu pour une date sans publication : le dernier avant elle, le premier après elle (la règle de TVA de l&apos;UE) ou aucun.</translation>
    </message>
    <message>
        <source>No rate of %1 was published on %2.</source>
        <translation>Aucun taux de %1 n&apos;a été publié le %2.</translation>
    </message>
    <message>
        <source>No rate of %1 is stored for %2 or the %3 days after it.</source>
        <translation>Aucun taux de %1 n&apos;est enregistré pour le %2 ni les %3 jours suivants.</translation>
    </message>
    <message>
        <source>No prices are shown to export.</source>
        <translation>Aucun cours n&apos;est affiché à exporter.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is one of Kestrum&apos;s own files; export to another name.</source>
        <translation>« %1 » est un des fichiers de Kestrum; exportez sous un autre nom.</translation>
    </message>
    <message>
        <source>The rate history holds no prices of %1 in %2 from the %3 for the days shown.</source>
        <translation>L&apos;historique ne contient aucun cours de %1 en %2 de la %3 pour les jours affichés.</translation>
    </message>
    <message>
        <source>Export prices as %1</source>
        <translation>Exporter les cours au format %1</translation>
    </message>
</context>
<context>
    <name>kestrum::THistoryFetch</name>
    <message>
        <source>The history of the %1 is complete up to today.</source>
        <translation>L&apos;historique (%1) est complet jusqu&apos;à aujourd&apos;hui.</translation>
    </message>
    <message>
        <source>History %1–%2...</source>
        <translation>Historique %1–%2...</translation>
    </message>
    <message>
        <source>The history could not be fetched: %1</source>
        <translation>L&apos;historique n&apos;a pu être récupéré : %1</translation>
    </message>
    <message>
        <source>Only the Bank of Canada&apos;s, the ECB&apos;s and the NBP&apos;s history can be fetched; choose one of the first two with &quot;kestrum source&quot;.</source>
        <translation>Seuls les historiques de la Banque du Canada, de la BCE et de la NBP peuvent être récupérés; choisissez l&apos;une des deux premières avec « kestrum source ».</translation>
    </message>
</context>
<context>
    <name>kestrum::TKestrumForm</name>
    <message>
        <source>Source value</source>
        <translation>Montant de départ</translation>
    </message>
    <message>
        <source>Converted value</source>
        <translation>Montant converti</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Comma</source>
        <comment>the key that types a thousands separator</comment>
        <translation>Virgule</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Clear the amount (Esc)</source>
        <translation>Effacer le montant (Échap)</translation>
    </message>
    <message>
        <source>Cas&amp;h Rate %</source>
        <translation>Taux co&amp;mptant %</translation>
    </message>
    <message>
        <source>About the cash rate</source>
        <translation>À propos du taux au comptant</translation>
    </message>
    <message>
        <source>Quick Find...</source>
        <translation>Recherche rapide</translation>
    </message>
    <message>
        <source>From</source>
        <comment>quick find acts on the Convert from list</comment>
        <translation>De</translation>
    </message>
    <message>
        <source>To</source>
        <comment>quick find acts on the Convert to list</comment>
        <translation>Vers</translation>
    </message>
    <message>
        <source>Quick find searches the Convert from list</source>
        <translation>La recherche rapide parcourt la liste Convertir de</translation>
    </message>
    <message>
        <source>Quick find searches the Convert to list</source>
        <translation>La recherche rapide parcourt la liste Convertir en</translation>
    </message>
    <message>
        <source>Convert &amp;from</source>
        <translation>Convertir &amp;de</translation>
    </message>
    <message>
        <source>Convert &amp;to</source>
        <translation>Convertir &amp;en</translation>
    </message>
    <message>
        <source>Grids</source>
        <translation>Grilles</translation>
    </message>
    <message>
        <source>&amp;Can</source>
        <comment>the grid of rates against the Canadian dollar</comment>
        <translation>&amp;Can.</translation>
    </message>
    <message>
        <source>&amp;U.S.</source>
        <comment>the grid of rates against the U.S. dollar</comment>
        <translation>É.-&amp;U.</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Graphs</source>
        <translation>&amp;Graphiques</translation>
    </message>
    <message>
        <source>Graphs (Ctrl+G)</source>
        <translation>Graphiques (Ctrl+G)</translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>&amp;Télécharger</translation>
    </message>
    <message>
        <source>Latest Data : </source>
        <translation>Dernières données : </translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Montant</translation>
    </message>
    <message>
        <source>The amount to convert; Enter converts it</source>
        <translation>Le montant à convertir; la touche Entrée le convertit</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Cash-rate fee in percent</source>
        <translation>Frais du taux au comptant, en pour cent</translation>
    </message>
    <message>
        <source>Lowers every conversion by the fee a bank keeps when it changes cash</source>
        <translation>Réduit chaque conversion des frais que retient une banque au change d&apos;espèces</translation>
    </message>
    <message>
        <source>Convert from</source>
        <translation>Convertir de</translation>
    </message>
    <message>
        <source>Convert to</source>
        <translation>Convertir en</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Rates against the Canadian dollar</source>
        <translation>Taux par rapport au dollar canadien</translation>
    </message>
    <message>
        <source>Rates against the U.S. dollar</source>
        <translation>Taux par rapport au dollar américain</translation>
    </message>
    <message>
        <source>Find currencies starting with %1</source>
        <translation>Trouver les devises commençant par %1</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Where the rates come from</source>
        <translation>Provenance des taux</translation>
    </message>
    <message>
        <source>Decimal mark</source>
        <translation>Séparateur décimal</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>« %1 » n&apos;est pas un nombre valide</translation>
    </message>
    <message>
        <source>Space</source>
        <comment>the key that types a thousands separator</comment>
        <translation>Espace</translation>
    </message>
</context>
<context>
    <name>kestrum::TOptionsForm</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>&amp;Automatically download currency data</source>
        <translation>Télécharger &amp;automatiquement les taux de change</translation>
    </message>
    <message>
        <source>Format Options</source>
        <translation>Format d&apos;affichage</translation>
    </message>
    <message>
        <source>Display results in &amp;Currency Format</source>
        <translation>Afficher les résultats en format &amp;monétaire</translation>
    </message>
    <message>
        <source>Results will be displayed with commas</source>
        <translation>Les résultats sont affichés avec séparateurs</translation>
    </message>
    <message>
        <source>Display results in &amp;Number Format</source>
        <translation>Afficher les résultats en format &amp;numérique</translation>
    </message>
    <message>
        <source>Select this option if you need to copy</source>
        <translation>Choisissez cette option pour copier</translation>
    </message>
    <message>
        <source>and paste this number into another</source>
        <translation>et coller ce nombre dans un autre</translation>
    </message>
    <message>
        <source>computer program</source>
        <translation>logiciel</translation>
    </message>
    <message>
        <source>&amp;Round numbers to the nearest cent</source>
        <translation>A&amp;rrondir au cent près</translation>
    </message>
    <message>
        <source>&amp;Fill missing rates from the other source</source>
        <translation>&amp;Compléter les taux manquants par l&apos;autre source</translation>
    </message>
    <message>
        <source>A currency the configured source does not publish takes the other source&apos;s rate of the same day, or of its latest day within a week.</source>
        <translation>Une devise que la source choisie ne publie pas prend le taux de l&apos;autre source du même jour, ou de son dernier jour dans la semaine précédente.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Software</source>
        <translation>&amp;Logiciel</translation>
    </message>
    <message>
        <source>S&amp;tartup</source>
        <translation>&amp;Démarrage</translation>
    </message>
    <message>
        <source>&amp;Email</source>
        <translation>&amp;Courriel</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>The help page &quot;%1&quot; cannot be found. Reinstall Kestrum or copy the page beside the program.</source>
        <translation>La page d&apos;aide « %1 » est introuvable. Réinstallez Kestrum ou copiez la page à côté du programme.</translation>
    </message>
    <message>
        <source>The desktop has no program to open %1. Install xdg-utils, or open it yourself.</source>
        <translation>Le bureau n&apos;a aucun programme pour ouvrir %1. Installez xdg-utils, ou ouvrez-le vous-même.</translation>
    </message>
</context>
<context>
    <name>kestrum::TProgressForm</name>
    <message>
        <source>Downloading Data Files</source>
        <translation>Téléchargement des données</translation>
    </message>
    <message>
        <source>Downloading Data Files...</source>
        <translation>Téléchargement des données...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Whole job</source>
        <translation>Ensemble de la tâche</translation>
    </message>
    <message>
        <source>Current file</source>
        <translation>Fichier en cours</translation>
    </message>
</context>
<context>
    <name>kestrum::TStartMenuTreeForm</name>
    <message>
        <source>your applications menu</source>
        <translation>votre menu des applications</translation>
    </message>
    <message>
        <source>Choose a folder of the applications menu in which to place the link to this program...</source>
        <translation>Choisissez le dossier du menu des applications où placer le lien vers ce programme...</translation>
    </message>
    <message>
        <source>Choose the folder on %1 where you would like to
place the link to be used in starting this program.  Click the folder to
highlight it blue, and then press the ACCEPT button to create the link.</source>
        <translation>Choisissez le dossier de %1 où vous voulez
placer le lien qui lancera ce programme.  Cliquez sur le dossier pour
le surligner en bleu, puis appuyez sur ACCEPTER pour créer le lien.</translation>
    </message>
    <message>
        <source>The buttons below</source>
        <translation>Les boutons ci-dessous</translation>
    </message>
    <message>
        <source>can be used to alter</source>
        <translation>servent à modifier</translation>
    </message>
    <message>
        <source>the display to the left</source>
        <translation>l&apos;affichage de gauche</translation>
    </message>
    <message>
        <source>C&amp;ollapse</source>
        <translation>&amp;Réduire</translation>
    </message>
    <message>
        <source>&amp;Expand</source>
        <translation>&amp;Développer</translation>
    </message>
    <message>
        <source>&amp;New Folder Name</source>
        <translation>&amp;Nom du nouveau dossier</translation>
    </message>
    <message>
        <source>C&amp;reate New Folder</source>
        <translation>Créer le d&amp;ossier</translation>
    </message>
    <message>
        <source>&amp;Accept</source>
        <translation>&amp;Accepter</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>The folder was not made.  Code: %1.
%2</source>
        <translation>Le dossier n&apos;a pas été créé.  Code : %1.
%2</translation>
    </message>
    <message>
        <source>How to choose a folder</source>
        <translation>Comment choisir un dossier</translation>
    </message>
    <message>
        <source>Chosen folder</source>
        <translation>Dossier choisi</translation>
    </message>
    <message>
        <source>Folders of the applications menu</source>
        <translation>Dossiers du menu des applications</translation>
    </message>
</context>
<context>
    <name>kestrum::TStartmenuForm</name>
    <message>
        <source>Check  this box to add a link to the Quick Launch Toolbar</source>
        <translation>Cochez cette case pour ajouter un lien à la barre de lancement rapide</translation>
    </message>
    <message>
        <source>Check  this box to add a link on the &amp;Desktop</source>
        <translation>Cochez cette case pour ajouter un lien sur le &amp;bureau</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>The program you are using is a simple executable and does not change
any system files.  A copy kept in a folder of its own is removed by
deleting that folder; an installed copy is removed with the package
manager (apt remove kestrum), and either way your settings and rates
stay in their data folder until you delete it.
By checkmarking the boxes below and then pressing the OK button you
can add a start up link to this program in any place you select.

If you choose to place the link in the applications menu then a list
of the folders of your applications menu will appear.  Open and
highlight the folder of your choice and the link to start the program
will be placed within this folder.

Each link is a file named Kestrum.desktop; a link already there is
never replaced.  To remove a link, delete its Kestrum.desktop from the
desktop or from the folder of ~/.local/share/applications you chose,
in a file manager or with rm.</source>
        <translation>Ce programme est un simple exécutable et ne modifie aucun fichier
du système.  Une copie gardée dans son propre dossier s&apos;enlève en
supprimant ce dossier; une copie installée s&apos;enlève avec le
gestionnaire de paquets (apt remove kestrum), et dans les deux cas
vos réglages et vos taux restent dans leur dossier de données.
Cochez les cases ci-dessous puis appuyez sur OK pour ajouter un
lien de démarrage vers ce programme aux endroits de votre choix.

Si vous placez le lien dans le menu des applications, la liste
des dossiers de ce menu s&apos;affiche.  Ouvrez et surlignez le
dossier de votre choix : le lien qui lance le programme y sera
placé.

Chaque lien est un fichier nommé Kestrum.desktop; un lien déjà
présent n&apos;est jamais remplacé.  Pour enlever un lien, supprimez son
Kestrum.desktop du bureau ou du dossier de
~/.local/share/applications choisi, dans un gestionnaire de
fichiers ou avec rm.</translation>
    </message>
    <message>
        <source>The folder of the applications menu (~/.local/share/applications) cannot be found or made.  The link to this program was not created.</source>
        <translation>Le dossier du menu des applications (~/.local/share/applications) est introuvable et ne peut être créé.  Le lien vers ce programme n&apos;a pas été créé.</translation>
    </message>
    <message>
        <source>Insert a link into the applications menu</source>
        <translation>Ajouter un lien au menu des applications</translation>
    </message>
    <message>
        <source>Check  this box to add a link to the applications &amp;menu</source>
        <translation>Cochez cette case pour ajouter un lien au &amp;menu des applications</translation>
    </message>
    <message>
        <source>What the links do</source>
        <translation>Ce que font les liens</translation>
    </message>
</context>
</TS>
