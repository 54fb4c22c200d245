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
    <name>Dates</name>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
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
