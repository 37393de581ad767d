Position souris¤ 512 ,  384¤
Clic souris¤Clic¤
Délai¤5¤
URL¤http://example.org¤
