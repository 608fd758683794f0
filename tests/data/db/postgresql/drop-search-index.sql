-- drop-search-index.sql on a server: the trigram indexes are the search index there.
DROP INDEX QV_Search_Title, QV_Search_ProblemText, QV_Search_SolutionText, QV_Search_techname,
           QV_Search_EditedBy, QV_Search_reference;
